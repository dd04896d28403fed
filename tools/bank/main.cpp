#include <QCoreApplication>
#include <QTextStream>

#include "banktool.h"

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    BankTool tool(out, err);
    return tool.run(QCoreApplication::arguments().mid(1));
}
