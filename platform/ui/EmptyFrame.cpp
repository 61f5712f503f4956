#include "platform/ui/EmptyFrame.h"

#include "platform/core/String.h"

#include <QApplication>
#include <QMainWindow>
#include <QString>
#include <QTimer>
#include <clocale>

int RunEmptyFrame(int argc, char** argv, LPCTSTR title, bool quitAfterStart)
{
    QApplication application(argc, argv);
    // Qt switches the process to the user's locale; numbers stay in the C locale.
    std::setlocale(LC_NUMERIC, "C");
    QMainWindow frame;
    frame.setWindowTitle(QString::fromStdString(ToUtf8(CString(title))));
    frame.resize(1024, 720);
    frame.show();
    if (quitAfterStart)
        QTimer::singleShot(0, &frame, &QMainWindow::close);
    return application.exec();
}
