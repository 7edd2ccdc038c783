// The window's reader of the worker's days against the real shiftcal writing the same file:
// it follows the file from nothing to a record, sees only whole entries and whole imports while
// four writers and an import of 300 entries run at once, and leaves a file it cannot read as
// it was. Each wait is for the state expected.
#include "app/my_days.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <vector>

namespace shift {
namespace {

constexpr int kWriters = 4;
constexpr int kAddsEach = 8;
constexpr int kImported = 300;
constexpr int kNoteLength = 3000;

// A note whose every byte says whether it arrived whole: its tag, then the same letter over and
// over up to a fixed length.
QString noteOf(const QString &tag)
{
    return tag + QLatin1Char(':') + QString(kNoteLength - tag.size() - 1, QLatin1Char('x'));
}

bool wholeNote(const std::string &note)
{
    const std::size_t colon = note.find(':');
    return note.size() == std::size_t(kNoteLength) && colon != std::string::npos
        && note.find_first_not_of('x', colon + 1) == std::string::npos;
}

QString shiftcal()
{
    return qEnvironmentVariable("SHIFTCAL");
}

class MyDaysTest : public QObject {
    Q_OBJECT
private slots:
    void followsWholeEntriesWhileShiftcalWrites();
};

void MyDaysTest::followsWholeEntriesWhileShiftcalWrites()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("nested/days.db"));
    MyDays days(path);
    QVERIFY(days.roster() == nullptr);
    QVERIFY(days.error().isEmpty());

    // The folder and the file appear with the first command.
    QCOMPARE(QProcess::execute(shiftcal(),
                 { QStringLiteral("days"),
                     QStringLiteral("team"),
                     QStringLiteral("D"),
                     QStringLiteral("--from"),
                     QStringLiteral("2016-01-01"),
                     QStringLiteral("--db"),
                     path }),
        0);
    QTRY_VERIFY_WITH_TIMEOUT(days.roster() != nullptr, 60000);

    QFile csv(dir.filePath(QStringLiteral("import.csv")));
    QVERIFY(csv.open(QIODevice::WriteOnly));
    csv.write("id,kind,date,to,shift,note\n");
    for (int i = 1; i <= kImported; ++i)
        csv.write(QStringLiteral("%1,off,2018-01-01,2018-01-01,,%2\n")
                      .arg(i)
                      .arg(noteOf(QStringLiteral("import%1").arg(i)))
                      .toUtf8());
    csv.close();

    std::size_t seen = 0;
    int reads = 0;
    int faults = 0;
    const QMetaObject::Connection checking = connect(&days, &MyDays::changed, this, [&] {
        ++reads;
        const PersonalRoster *roster = days.roster();
        if (roster == nullptr) {
            ++faults;
            return;
        }
        std::size_t imported = 0;
        for (const DayEntry &entry : roster->record().entries) {
            faults += wholeNote(entry.note) ? 0 : 1;
            imported += entry.note.starts_with("import") ? 1u : 0u;
        }
        faults += imported == 0 || imported == kImported ? 0 : 1;
        faults += roster->record().entries.size() < seen ? 1 : 0;
        seen = roster->record().entries.size();
    });

    // The import, and four writers each adding one entry after another, all at once.
    QProcess import;
    import.start(shiftcal(),
        { QStringLiteral("days"),
            QStringLiteral("import"),
            csv.fileName(),
            QStringLiteral("--db"),
            path });
    std::vector<std::unique_ptr<QProcess>> writers;
    int added = 0;
    int failed = 0;
    for (int w = 0; w < kWriters; ++w) {
        QProcess *process = writers.emplace_back(std::make_unique<QProcess>()).get();
        const auto add = [process, w, path](int i) {
            process->setProperty("i", i);
            process->start(shiftcal(),
                { QStringLiteral("days"),
                    QStringLiteral("add"),
                    QStringLiteral("vacation"),
                    QStringLiteral("2017-0%1-%2").arg(w + 1).arg(i, 2, 10, QLatin1Char('0')),
                    QStringLiteral("--note"),
                    noteOf(QStringLiteral("w%1-%2").arg(w).arg(i)),
                    QStringLiteral("--db"),
                    path });
        };
        connect(process, &QProcess::finished, this, [&added, &failed, process, add](int code) {
            ++added;
            failed += code == 0 ? 0 : 1;
            const int i = process->property("i").toInt();
            if (i < kAddsEach)
                add(i + 1);
        });
        add(1);
    }
    QVERIFY(import.waitForFinished(120000));
    QCOMPARE(import.exitCode(), 0);
    QTRY_COMPARE_WITH_TIMEOUT(added, kWriters * kAddsEach, 120000);
    QCOMPARE(failed, 0);
    const std::size_t all = kImported + kWriters * kAddsEach;
    QTRY_COMPARE_WITH_TIMEOUT(seen, all, 60000);
    QCOMPARE(faults, 0);
    QVERIFY(reads >= 2);
    disconnect(checking);

    // Another program's file in its place: said, left as it was, and no record.
    for (const QString &part :
        { path, path + QStringLiteral("-wal"), path + QStringLiteral("-shm") })
        QFile::remove(part);
    QFile junk(path);
    QVERIFY(junk.open(QIODevice::WriteOnly));
    const QByteArray bytes(8192, 'j');
    junk.write(bytes);
    junk.close();
    QTRY_VERIFY_WITH_TIMEOUT(!days.error().isEmpty(), 60000);
    QVERIFY(days.roster() == nullptr);
    QVERIFY(junk.open(QIODevice::ReadOnly));
    QCOMPARE(junk.readAll(), bytes);
}

} // namespace
} // namespace shift

QTEST_GUILESS_MAIN(shift::MyDaysTest)
#include "my_days_test.moc"
