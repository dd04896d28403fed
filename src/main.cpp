#include <QApplication>
#include <QDir>
#include <QFont>

#include "app/mainwindow.h"
#include "app/screentrace.h"
#include "app/singleinstance.h"
#include "core/message.h"
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

    // One copy per learner's folder: a second start brings the first to the front.
    SingleInstance instance(ProgramFolder::path());
    const SingleInstance::Claim claim = instance.claim();
    if (claim == SingleInstance::Claim::AlreadyRunning)
        return 0;
    if (claim == SingleInstance::Claim::NotAnswering)
    {
        Message::show(QStringLiteral("このフォルダの成績を使う Vocamira がすでに起動していますが、応答がありません。"
                                     "成績が上書きされないよう、こちらは起動しません。\n%1")
                          .arg(QDir::toNativeSeparators(ProgramFolder::path())));
        return 1;
    }

    MainWindow window;
    QObject::connect(&instance, &SingleInstance::activationRequested, &window,
                     [&window] { SingleInstance::bringForward(&window); });
    if (claim == SingleInstance::Claim::Unlocked)
        Message::post(QStringLiteral("フォルダにロックファイルを作れないため、Vocamira を2つ同時に起動しても止められません。"
                                     "成績が上書きされないよう、1つだけ起動してください。\n%1")
                          .arg(QDir::toNativeSeparators(instance.lockPath())));
    if (!window.Form_Load())
        return 1;
    ScreenTrace::installFromEnvironment(&window);
    window.show();
    return app.exec();
}
