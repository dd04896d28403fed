#include <QApplication>
#include <QFont>

#include "app/mainwindow.h"
#include "app/screentrace.h"
#include "core/programfolder.h"
#include "gui_shared/messagebox.h"

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vocamira"));
    // Japanese captions read best in a Japanese face where one is installed.
    QFont font = QApplication::font();
    font.setFamilies({QStringLiteral("Noto Sans CJK JP"), QStringLiteral("IPAGothic"), font.family()});
    QApplication::setFont(font);
    MessageBox::install();
    if (!ProgramFolder::SetUp())
        return 1;

    MainWindow window;
    if (!window.Form_Load())
        return 1;
    ScreenTrace::installFromEnvironment(&window);
    window.show();
    return app.exec();
}
