// The rating table file: bytes to lines, encodings, rows and look-ups, and the file itself.
#include "Failure.h"
#include "RatingTable.h"
#include "RatingTableFile.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <atomic>
#include <cstdio>
#include <functional>
#include <string_view>
#include <thread>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <csignal>
#include <fcntl.h>
#include <unistd.h>
#endif

using namespace Qt::StringLiterals;

namespace {

QString failureOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const SheetFailure& failure) {
        return failure.message();
    }
    return u"(no failure)"_s;
}

int runShellCommand(const QString& command)
{
#ifdef Q_OS_WIN
    return QProcess::execute(u"cmd"_s, {u"/c"_s, command});
#else
    return QProcess::execute(u"sh"_s, {u"-c"_s, command});
#endif
}

#ifdef Q_OS_WIN
constexpr const wchar_t* pipeName = L"\\\\.\\pipe\\combat-sheet-test";
#endif

} // namespace

class TestRatingTable : public QObject {
    Q_OBJECT

private slots:
    void init();
    void lines_data();
    void lines();
    void everyCp932Character();
    void rowsAndLookUp();
    void shiftedLookUpOfUnquotedName();
    void missingOrUnreadableFile_data();
    void missingOrUnreadableFile();
    void fileHeldOpenForWriting();
    void fileOverSizeLimit();
    void loadAndRelease();

private:
    void writeTable(const QByteArray& bytes);
    QTemporaryDir m_dir;
};

void TestRatingTable::init()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(QDir::setCurrent(m_dir.path()));
    QFile::remove(RatingTable::fileName());
    QDir().rmdir(RatingTable::fileName());
}

void TestRatingTable::writeTable(const QByteArray& bytes)
{
    QFile file(RatingTable::fileName());
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

void TestRatingTable::lines_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("empty file") << QByteArray() << QStringList();
    QTest::newRow("no final break") << "a,1\r\nb,2"_ba << QStringList{u"a,1"_s, u"b,2"_s};
    QTest::newRow("final break adds nothing") << "a\r\n"_ba << QStringList{u"a"_s};
    QTest::newRow("CR only") << "a\rb\r"_ba << QStringList{u"a"_s, u"b"_s};
    QTest::newRow("mixed breaks") << "a\nb\r\nc\rd"_ba
                                  << QStringList{u"a"_s, u"b"_s, u"c"_s, u"d"_s};
    QTest::newRow("LF CR is two breaks") << "a\n\rb"_ba << QStringList{u"a"_s, QString(), u"b"_s};
    QTest::newRow("blank line in the middle")
        << "a\r\n\r\nb\r\n"_ba << QStringList{u"a"_s, QString(), u"b"_s};
    QTest::newRow("lone break") << "\n"_ba << QStringList{QString()};
    QTest::newRow("NUL ends everything")
        << QByteArray("a,1\r\nb\0,2\r\nc,3", 15) << QStringList{u"a,1"_s, u"b"_s};
    QTest::newRow("CP932 names") << "\x92\xb7\x8c\x95,1\r\n\xb6\xc0\xc5,2"_ba
                                 << QStringList{u"長剣,1"_s, u"ｶﾀﾅ,2"_s};
    QTest::newRow("CP932 Windows extensions")
        << "\x87\x40,\x81\x60"_ba << QStringList{u"\u2460,\uFF5E"_s};
    QTest::newRow("UTF-8 without mark") << "長剣, 1\n"_ba << QStringList{u"長剣, 1"_s};
    QTest::newRow("UTF-8 with mark") << "\xEF\xBB\xBF長剣, 1\n"_ba << QStringList{u"長剣, 1"_s};
    QTest::newRow("UTF-8 ending in a multi-byte character, no final break")
        << "a, 1\n長"_ba << QStringList{u"a, 1"_s, u"長"_s};
    QTest::newRow("two marks: the second is part of the name") << "\xEF\xBB\xBF\xEF\xBB\xBF"
                                                                  "a, 1"_ba
                                                               << QStringList{u"\uFEFFa, 1"_s};
    QTest::newRow("U+DFFF encoded is no UTF-8: read as CP932")
        << "\xED\xBF\xBF, 1"_ba << QStringList{u"暠ｿ, 1"_s};
    QTest::newRow("ASCII with mark") << "\xEF\xBB\xBF"
                                        "a, 1"_ba
                                     << QStringList{u"a, 1"_s};
    QTest::newRow("invalid UTF-8 after mark") << "\xEF\xBB\xBF"
                                                 "a\xFF, 1"_ba
                                              << QStringList{u"a\uFFFD, 1"_s};
    QTest::newRow("invalid CP932 byte") << "\xFF, 1"_ba << QStringList{u"\uFFFD, 1"_s};
    QTest::newRow("lead byte takes the comma") << "\x81,1"_ba << QStringList{u"\uFFFD1"_s};
    QTest::newRow("lead byte takes the blank") << "\x81 1"_ba << QStringList{u"\uFFFD1"_s};
    QTest::newRow("lead byte at line end") << "a\x81\r\nb"_ba << QStringList{u"a\uFFFD"_s, u"b"_s};
    QTest::newRow("overlong UTF-8 reads as CP932")
        << "\xC0\x80"_ba << QStringList{u"\uFF80\uFFFD"_s};
    QTest::newRow("CP932 name that looks like overlong UTF-8")
        << "\xE0\x80\xAF, 1"_ba << QStringList{u"烙ｯ, 1"_s};
    QTest::newRow("edges of the CP932 lead-byte ranges")
        << "\x81\x97\x9F\xFC\xE0\x40\xFC\x4B,1"_ba << QStringList{u"＠滌漾黑,1"_s};
    QTest::newRow("CP932 whose second bytes pass for UTF-8 continuation bytes")
        << "\xE0\x9F\x81\x40, 1"_ba << QStringList{u"燹\u3000, 1"_s};
    QTest::newRow("mark, then CP932 that is no UTF-8: the mark decides")
        << "\xEF\xBB\xBF\x92\xB7, 1"_ba << QStringList{u"\uFFFD\uFFFD, 1"_s};
    QTest::newRow("NUL as the first byte") << QByteArray("\0a, 1\r\n", 7) << QStringList();
    QTest::newRow("just outside the lead-byte ranges")
        << "\x80,\xA0,\xFD,1"_ba << QStringList{u"\uFFFD,\uFFFD,\uFFFD,1"_s};
}

void TestRatingTable::lines()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);
    QCOMPARE(decodeRatingTableLines(bytes), lines);
}

// Every character CP932 can hold, one to a line, in one file: each reads as a decoder of its
// own reads it, an invalid one as U+FFFD, and no invalid one spoils the lines after it.
void TestRatingTable::everyCp932Character()
{
    QList<QByteArray> characters;
    for (int b = 0x80; b <= 0xFF; ++b) {
        if (!((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC))) {
            characters.append(QByteArray(1, char(b)));
            continue;
        }
        for (int trail = 1; trail <= 0xFF; ++trail) {
            if (trail != '\n' && trail != '\r')
                characters.append(QByteArray(1, char(b)) + char(trail));
        }
    }
    if (!QStringDecoder("CP932").isValid())
        QSKIP("this platform's Qt has no CP932 decoder to compare with");
    QStringList expected;
    for (const QByteArray& character : characters) {
        QStringDecoder alone("CP932", QStringDecoder::Flag::Stateless);
        const QString decoded = alone.decode(character);
        expected.append(alone.hasError() ? u"\uFFFD"_s : decoded);
    }
    QCOMPARE(decodeRatingTableLines(characters.join('\n')), expected);
}

void TestRatingTable::rowsAndLookUp()
{
    RatingTable table;
    table.setFileBytes("Sword, -1, 0, 5, 6, 7, 8, 9, 10, 11, 12,\r\nShort, 1, 2\r\n\r\n"
                       "Bad, 1, x\r\n"_ba);
    QCOMPARE(table.count(), 4);
    QCOMPARE(table.rowName(0), u"Sword"_s);
    QCOMPARE(failureOf([&] { table.rowName(2); }),
             u"リストのインデックスが範囲を超えています (0)"_s);

    const QStringList sword = table.RatingRow(0);
    QCOMPARE(sword.size(), 12); // the trailing comma adds an empty field, never read
    QCOMPARE(ratingValue(sword, 3), -1);
    QCOMPARE(ratingValue(sword, 4), 0);
    QCOMPARE(ratingValue(sword, 12), 12);

    QCOMPARE(failureOf([&] { ratingValue(table.RatingRow(1), 6); }),
             u"リストのインデックスが範囲を超えています (4)"_s);
    QCOMPARE(failureOf([&] { ratingValue(table.RatingRow(3), 4); }), u"'x' は整数ではありません"_s);
    QCOMPARE(failureOf([&] { table.RatingRow(-1); }),
             u"リストのインデックスが範囲を超えています (-1)"_s);
    QCOMPARE(failureOf([&] { table.RatingRow(4); }),
             u"リストのインデックスが範囲を超えています (4)"_s);
}

void TestRatingTable::shiftedLookUpOfUnquotedName()
{
    RatingTable table;
    table.setFileBytes("Great Axe, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12\r\n"
                       "\"Great Axe\", 3, 4, 5, 6, 7, 8, 9, 10, 11, 12\r\n"_ba);
    QCOMPARE(table.rowName(0), u"Great"_s);
    QCOMPARE(failureOf([&] { ratingValue(table.RatingRow(0), 3); }),
             u"'Axe' は整数ではありません"_s);
    QCOMPARE(ratingValue(table.RatingRow(0), 4), 3); // the value written for 3
    QCOMPARE(ratingValue(table.RatingRow(0), 12), 11);

    QCOMPARE(table.rowName(1), u"Great Axe"_s);
    QCOMPARE(ratingValue(table.RatingRow(1), 3), 3);
    QCOMPARE(ratingValue(table.RatingRow(1), 12), 12);
}

void TestRatingTable::missingOrUnreadableFile_data()
{
    // What stands where the table should be, made by a shell command, and the name the table
    // is opened by. A pipe nobody writes to once blocked start-up; a device fed bytes
    // without end.
    QTest::addColumn<QString>("make");
    QTest::addColumn<QString>("name");
    const QString table = RatingTable::fileName();
    QTest::newRow("missing") << QString() << table;
    QTest::newRow("a directory") << u"mkdir RatingTable.txt"_s << table;
#ifdef Q_OS_WIN
    QTest::newRow("a device") << QString() << u"NUL"_s;
    QTest::newRow("a pipe") << QString() << QString::fromWCharArray(pipeName);
#else
    QTest::newRow("a pipe") << u"mkfifo RatingTable.txt"_s << table;
    QTest::newRow("a link to /dev/zero") << u"ln -s /dev/zero RatingTable.txt"_s << table;
    QTest::newRow("a link to /dev/urandom") << u"ln -s /dev/urandom RatingTable.txt"_s << table;
    QTest::newRow("a dangling link") << u"ln -s nowhere RatingTable.txt"_s << table;
#endif
}

void TestRatingTable::missingOrUnreadableFile()
{
    QFETCH(QString, make);
    QFETCH(QString, name);
    if (!make.isEmpty())
        QCOMPARE(runShellCommand(make), 0);
#ifdef Q_OS_WIN
    // A pipe that a server holds open, waiting for a client.
    const HANDLE pipe =
        CreateNamedPipeW(pipeName, PIPE_ACCESS_OUTBOUND, PIPE_TYPE_BYTE, 1, 0, 0, 0, nullptr);
    QVERIFY(pipe != INVALID_HANDLE_VALUE);
    const auto closePipe = qScopeGuard([&] { CloseHandle(pipe); });
#endif
#ifdef Q_OS_WIN
    QCOMPARE(failureOf([&] { (void)readRatingTableFile(name); }),
             u"ファイル %1 は開けません"_s.arg(name));
#else
    // Were the table opened blocking, a pipe nobody writes to would stall it for good: a
    // writer comes after two seconds, so that the fault ends in a failure instead.
    std::atomic<bool> read = false;
    bool rescued = false;
    std::thread rescuer([&] {
        for (QDeadlineTimer deadline(2000); !deadline.hasExpired() && !read;)
            QThread::msleep(10);
        const int fd =
            read ? -1 : ::open(QFile::encodeName(name).constData(), O_WRONLY | O_NONBLOCK);
        rescued = fd >= 0;
        if (rescued)
            ::close(fd);
    });
    const QString failure = failureOf([&] { (void)readRatingTableFile(name); });
    read = true;
    rescuer.join();
    QVERIFY2(!rescued, "the table was opened blocking: a pipe nobody writes to stalled it");
    QCOMPARE(failure, u"ファイル %1 は開けません"_s.arg(name));
#endif
}

// The other program is this test, started again to hold the table open.
void TestRatingTable::fileHeldOpenForWriting()
{
    writeTable("Sword, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10\r\n"_ba);
    const auto holdOpen = [](QProcess& holder, const char* mode) {
        holder.start(QCoreApplication::applicationFilePath(),
                     {u"--hold-open"_s, QLatin1StringView(mode)});
        return holder.waitForReadyRead(10000);
    };
    QProcess writer;
    QVERIFY(holdOpen(writer, "write"));

    RatingTable table;
    QCOMPARE(failureOf([&] { table.load(); }), u"ファイル RatingTable.txt は開けません"_s);
    QCOMPARE(table.count(), 0);

    writer.kill();
    writer.waitForFinished();
    table.load();
    QCOMPARE(table.count(), 1);

    // A reader elsewhere is no obstacle.
    QProcess reader;
    QVERIFY(holdOpen(reader, "read"));
    table.load();
    QCOMPARE(table.count(), 1);
    reader.kill();
    reader.waitForFinished();

#ifndef Q_OS_WIN
    // A program opening the table for writing while the sheet reads it breaks the sheet's
    // lease, and the kernel signals the sheet: that signal must leave it running.
    static QAtomicInt leaseBreaks;
    struct sigaction counting {
    }, previous{};
    counting.sa_handler = [](int) { leaseBreaks.ref(); };
    QCOMPARE(::sigaction(SIGURG, &counting, &previous), 0);
    writeTable(QByteArray("Sword, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10\r\n").repeated(100000));
    QProcess breaker;
    QVERIFY(holdOpen(breaker, "break"));
    for (QDeadlineTimer deadline(5000); !deadline.hasExpired() && leaseBreaks == 0;)
        (void)failureOf([&] { table.load(); });
    breaker.kill();
    breaker.waitForFinished();
    ::sigaction(SIGURG, &previous, nullptr);
    if (leaseBreaks == 0)
        QSKIP("no writer came while the table was read (no leases on this file system?)");
#endif
}

void TestRatingTable::fileOverSizeLimit()
{
    // A file of exactly the limit, 16 MiB, is read; one byte more is refused.
    constexpr qsizetype limit = 16'777'216;
    const QByteArray row = "Sword, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10\r\n"_ba;
    QByteArray bytes = row.repeated(limit / row.size() + 1);
    bytes.truncate(limit + 1);
    writeTable(bytes);
    RatingTable table;
    QCOMPARE(failureOf([&] { table.load(); }), u"ファイル RatingTable.txt は開けません"_s);

    bytes.chop(1);
    writeTable(bytes);
    table.load();
    QCOMPARE(table.count(), (bytes.size() + row.size() - 1) / row.size());
}

void TestRatingTable::loadAndRelease()
{
    writeTable("a, 1\r\nb, 2"_ba);
    RatingTable table;
    table.load();
    QCOMPARE(table.lines(), (QStringList{u"a, 1"_s, u"b, 2"_s}));
    table.release();
    QCOMPARE(table.count(), 0);
}

// Started as "--hold-open write" or "--hold-open read", the test is another program that
// holds the table open until it is ended; as "--hold-open break", one that keeps opening it
// for writing for a few seconds.
int main(int argc, char* argv[])
{
#ifndef Q_OS_WIN
    if (argc == 3 && std::string_view(argv[2]) == "break") {
        std::puts("ready");
        std::fflush(stdout);
        for (QDeadlineTimer deadline(10000); !deadline.hasExpired();)
            if (const int fd = ::open("RatingTable.txt", O_WRONLY | O_NONBLOCK); fd >= 0)
                ::close(fd);
        return 0;
    }
#endif
    if (argc == 3 && std::string_view(argv[1]) == "--hold-open") {
        QFile table(RatingTable::fileName());
        const bool write = std::string_view(argv[2]) == "write";
        if (!table.open(write ? QIODevice::Append : QIODevice::ReadOnly))
            return 1;
        std::puts("ready");
        std::fflush(stdout);
        QThread::sleep(60);
        return 0;
    }
    QCoreApplication application(argc, argv);
    TestRatingTable test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_ratingtable.moc"
