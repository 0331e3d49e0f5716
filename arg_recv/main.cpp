// Qt pair, receiver: takes two numbers from its command line, writes them in
// one debug message, reads one character and then stays in the event loop
// until it is ended from outside.
#include <QCoreApplication>
#include <QDebug>
#include <QString>
#include <cstdio>

using namespace std;

int main(int argc, char* argv[])
{
    QCoreApplication a(argc, argv);
    // A number missing from the command line counts as an empty text, so 0.
    QString s1 = QString::fromUtf8(argc > 1 ? argv[1] : nullptr);
    QString s2 = QString::fromUtf8(argc > 2 ? argv[2] : nullptr);
    double x = s1.toDouble();
    double y = s2.toDouble();

    qDebug() << "this is arg_recv.bin"
             << "  " << x << "   " << y;

    getchar();
    return a.exec();
}
