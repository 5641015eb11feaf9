#include "intake/LineParser.h"

#include "base/Text.h"

#include <array>

namespace quiller {

namespace {

// The characters Windows-1252 puts at 0x80-0x9F. The five codes it leaves unassigned
// keep their C1 control value, as Windows itself maps them.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98-9F
};

// Positions are counted from 1, as the layout gives them.
QString Field(const QString& line, qsizetype from, qsizetype width) {
    return line.mid(from - 1, width);
}

// Never a null string: an empty field is empty text.
QString NotNull(const QString& text) {
    return text.isNull() ? QString::fromLatin1("", 0) : text;
}

} // namespace

ParsedLine ParseLine(const QString& line) {
    ParsedLine out;
    const QString rx = NotNull(TrimBlanks(Field(line, 1, 6)));
    const QString ref = NotNull(TrimBlanks(Field(line, 7, 2)));
    // yyyyMMdd rearranged into MM/dd/yyyy, whatever the positions hold.
    const QString date = Field(line, 13, 2) + QLatin1Char('/') + Field(line, 15, 2) +
                         QLatin1Char('/') + Field(line, 9, 4);
    const QString drug = NotNull(Field(line, 17, 30));
    const QString first = NotNull(TrimBlanks(Field(line, 47, 15)));
    const QString last = NotNull(TrimBlanks(Field(line, 62, 15)));

    out.p.RxNbr = rx;
    out.p.RefNo = ref;
    out.p.FillDate = date;
    out.p.Drug = drug;
    out.p.FirstName = first;
    out.p.LastName = last;
    out.p.RxImage = QString::fromLatin1("", 0);
    out.entryText = rx + QLatin1Char('-') + ref;
    out.dateText = date;
    out.drug = drug;
    out.patient = first + QLatin1Char(' ') + last;
    return out;
}

QString DecodeCp1252(QByteArrayView bytes) {
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        out[i] = (b >= 0x80 && b <= 0x9F) ? QChar(kCp1252High[b - 0x80]) : QChar(char16_t(b));
    }
    return text;
}

QStringList DataFileLines(QByteArrayView content, QList<int>* numbers) {
    QStringList lines;
    if (numbers)
        numbers->clear();
    qsizetype start = 0;
    int number = 0;
    while (start < content.size()) {
        ++number;
        qsizetype end = content.indexOf('\n', start);
        const qsizetype next = end < 0 ? content.size() : end + 1;
        if (end < 0)
            end = content.size();
        qsizetype stop = end;
        if (stop > start && content[stop - 1] == '\r')
            --stop;
        const qsizetype length = qMin(stop - start, kMaxDataLine);
        if (length > 0) {
            lines.append(DecodeCp1252(content.sliced(start, length)));
            if (numbers)
                numbers->append(number);
        }
        start = next;
    }
    return lines;
}

} // namespace quiller
