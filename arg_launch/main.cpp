// Qt pair, launcher: starts arg_recv.bin as a process of its own with two
// numbers on its command line, then stays in the event loop until it is
// ended from outside. The receiver keeps running when the launcher ends.
#include <QCoreApplication>
#include <QFile>
#include <QList>
#include <QProcess>
#include <QString>

using namespace std;

int main(int argc, char* argv[])
{
    QCoreApplication a(argc, argv);
    QString s1, s2;
    QList<QString> args;

    s1.setNum(3.1415, 'g', 6);
    s2.setNum(2.7, 'g', 6);
    args.append(s1);
    args.append(s2);

#ifndef Q_OS_WIN
    // Windows looks for a program beside the one that starts it before it
    // tries PATH; elsewhere only PATH counts, so put our directory first.
    qputenv("PATH",
            QFile::encodeName(QCoreApplication::applicationDirPath()) + ':' + qgetenv("PATH"));
#endif
    QProcess::startDetached(QString("arg_recv.bin"), args, QString(), nullptr);

    return a.exec();
}
