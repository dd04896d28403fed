#include <QApplication>
#include <QTextStream>

#include "app/messagebox.h"

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vocamira"));
    MessageBox::install();

    QTextStream(stdout) << "Vocamira: the program folder is ready in " << QCoreApplication::applicationDirPath()
                        << ".\nThe main window is not there yet; it comes with the next step of the project.\n";
    return 0;
}
