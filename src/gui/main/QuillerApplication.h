#pragma once

#include <QApplication>

namespace quiller {

// The application object. Handlers that have no error handling of their own end the
// program here: an exception never crosses the event loop; it is shown as a run-time
// error and the program exits with a non-zero status.
class QuillerApplication : public QApplication {
    Q_OBJECT
public:
    QuillerApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;

    // Shows "Run-time error N:" with the description and ends the program.
    static void FailWithRuntimeError(int number, const QString& description);
    static constexpr int kRuntimeErrorExitCode = 70;
};

} // namespace quiller
