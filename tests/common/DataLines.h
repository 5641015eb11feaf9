#pragma once

#include <QByteArray>

namespace quiller::test {

// One fixed-width data-file line: Rx number (6, right-aligned), refill (2, right-aligned),
// date YYYYMMDD (8), drug (30), first name (15), last name (15), CR LF.
inline QByteArray Line(const QByteArray& rx, const QByteArray& ref, const QByteArray& date,
                       const QByteArray& drug = "ASPIRIN", const QByteArray& first = {},
                       const QByteArray& last = {}) {
    return rx.rightJustified(6, ' ', true) + ref.rightJustified(2, ' ', true) +
           date.leftJustified(8, ' ', true) + drug.leftJustified(30, ' ', true) +
           first.leftJustified(15, ' ', true) + last.leftJustified(15, ' ', true) + "\r\n";
}

// Three prescriptions whose pages are stored as 123_01.jpg, 124_00.jpg and 125_2.jpg.
inline QByteArray ThreeLines() {
    return Line("123", "01", "20060307", "Amoxicillin 500mg", "John", "Smith") +
           Line("124", "00", "20060308", "Ibuprofen 200mg", "Mary", "Jones") +
           Line("125", " 2", "20060309", "Lisinopril 10mg", "Ana", "Lopez");
}

} // namespace quiller::test
