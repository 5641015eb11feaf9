#pragma once

// SANE's process-wide state, shared by every scanner control and every worker. Private
// to the scanner layer.

#include <QByteArray>
#include <QString>
#include <sane/sane.h>

namespace quiller::sane {

// sane_init on the first share, sane_exit when the last is let go. Each worker holds a
// share of its own, so a worker left behind in a call that never returns keeps SANE up
// for as long as it lives.
bool AddRef();
void Release();

// Calls that act on SANE's device tables (listing, opening, closing) are made one at a
// time; backends do not expect them from two threads at once. Unlike a mutex, the gate
// can be taken back from a holder that was abandoned in a call that never returns, so
// one stuck call does not lock every later one out.
bool EnterGate(const void* holder, int timeoutMs);
void LeaveGate(const void* holder);

// The devices open in this process, by worker. A control started again, or a second
// control, may ask for a device that a stopped worker is still closing; backends answer
// "busy" until it has. WaitUntilClosed waits for this process's own workers to let go
// (false when one still holds the device at the time limit).
void NoteOpened(const QByteArray& device);
void NoteClosed(const QByteArray& device);
bool WaitUntilClosed(const QByteArray& device, int timeoutMs);

// A plain sentence for a SANE status, for the operator.
QString StatusText(int status);

} // namespace quiller::sane
