#include "profiles/profileCatalogue.h"

#include "tests/support/testAppDir.h"

#include <QDir>
#include <QTest>

class TestProfileCatalogue final : public QObject {
    Q_OBJECT

private slots:
    void listsOnlyVisibleRegularFilesInCaseInsensitiveOrder();
    void listsNothingForAMissingFolder();
    void fileNameWithoutExt_data();
    void fileNameWithoutExt();
    void catalogueDropsTheExtension();
    void chosenNameFindsItsFileAgain_data();
    void chosenNameFindsItsFileAgain();
};

void TestProfileCatalogue::listsOnlyVisibleRegularFilesInCaseInsensitiveOrder() {
    TestAppDir dir;
    QVERIFY(dir.isValid());
    dir.writeFile(QStringLiteral("Profiles/b.bpf"), "[Main]\n");
    dir.writeFile(QStringLiteral("Profiles/A.BPF"), "[Main]\n");
    dir.writeFile(QStringLiteral("Profiles/c.bpf.txt"), "[Main]\n");
    dir.writeFile(QStringLiteral("Profiles/.e.bpf"), "[Main]\n"); // hidden
    dir.writeFile(QStringLiteral("Profiles/x.y.bpf"), "[Main]\n");
    dir.writeFile(QStringLiteral("Profiles/noext"), "[Main]\n");
    dir.writeFile(QStringLiteral("Profiles/C.Bpf"), "[Main]\n");
    QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("Profiles/d.bpf"))));

    const QStringList expected{QStringLiteral("A.BPF"), QStringLiteral("b.bpf"),
                               QStringLiteral("C.Bpf"), QStringLiteral("x.y.bpf")};
    QCOMPARE(ListFilesWithExt(dir.filePath(QStringLiteral("Profiles/")), QStringLiteral(".bpf")),
             expected);
    // The extension asked for is compared without regard to case too.
    QCOMPARE(ListFilesWithExt(dir.filePath(QStringLiteral("Profiles/")), QStringLiteral(".BPF")),
             expected);
    QCOMPARE(ListFilesWithExt(dir.filePath(QStringLiteral("Profiles/")), QStringLiteral(".txt")),
             QStringList{QStringLiteral("c.bpf.txt")});
}

void TestProfileCatalogue::listsNothingForAMissingFolder() {
    TestAppDir dir;
    QVERIFY(ListFilesWithExt(dir.filePath(QStringLiteral("Profiles/")), QStringLiteral(".bpf"))
                .isEmpty());
    QVERIFY(ProfileCatalogue(dir.filePath(QStringLiteral("Profiles/"))).isEmpty());
    // An empty selection names no file at all.
    QVERIFY(ProfilePathFor(dir.filePath(QStringLiteral("Profiles/")), QString()).isEmpty());
}

void TestProfileCatalogue::fileNameWithoutExt_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");
    QTest::newRow("one dot") << "a.bpf"
                             << "a";
    QTest::newRow("two dots") << "x.y.bpf"
                              << "x.y";
    QTest::newRow("no dot stays whole") << "movie"
                                        << "movie";
    QTest::newRow("dot only in a folder") << "/tmp/clips.old/movie"
                                          << "/tmp/clips.old/movie";
    QTest::newRow("path with extension") << "/tmp/clips.old/movie.avi"
                                         << "/tmp/clips.old/movie";
    QTest::newRow("trailing dot") << "movie."
                                  << "movie";
    QTest::newRow("dot first") << ".bpf"
                               << "";
    QTest::newRow("empty") << ""
                           << "";
}

void TestProfileCatalogue::fileNameWithoutExt() {
    QFETCH(QString, name);
    QFETCH(QString, expected);
    QCOMPARE(FileNameWithoutExt(name), expected);
}

void TestProfileCatalogue::catalogueDropsTheExtension() {
    TestAppDir dir;
    dir.writeFile(QStringLiteral("Profiles/b.bpf"), "[Main]\n");
    dir.writeFile(QStringLiteral("Profiles/A.BPF"), "[Main]\n");
    dir.writeFile(QStringLiteral("Profiles/x.y.bpf"), "[Main]\n");
    dir.writeFile(QStringLiteral("Profiles/c.bpf.txt"), "[Main]\n");
    QCOMPARE(ProfileCatalogue(dir.filePath(QStringLiteral("Profiles"))),
             (QStringList{QStringLiteral("A"), QStringLiteral("b"), QStringLiteral("x.y")}));
}

void TestProfileCatalogue::chosenNameFindsItsFileAgain_data() {
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("file"); // empty: the rebuilt path, which names no file
    QTest::newRow("lower-case extension") << "b"
                                          << "b.bpf";
    QTest::newRow("upper-case extension") << "A"
                                          << "A.BPF";
    QTest::newRow("mixed-case extension") << "Mixed"
                                          << "Mixed.Bpf";
    QTest::newRow("two dots") << "x.y"
                              << "x.y.bpf";
    QTest::newRow("name differs in case") << "a"
                                          << "";
    QTest::newRow("not listed") << "gone"
                                << "";
}

void TestProfileCatalogue::chosenNameFindsItsFileAgain() {
    QFETCH(QString, shown);
    QFETCH(QString, file);
    TestAppDir dir;
    for (const char* name : {"b.bpf", "A.BPF", "Mixed.Bpf", "x.y.bpf"})
        dir.writeFile(QStringLiteral("Profiles/") + QLatin1String(name), "[Main]\n");
    const QString folder = dir.filePath(QStringLiteral("Profiles/"));
    const QString expected = folder + (file.isEmpty() ? shown + QStringLiteral(".bpf") : file);
    QCOMPARE(ProfilePathFor(folder, shown), expected);
}

QTEST_GUILESS_MAIN(TestProfileCatalogue)
#include "test_profileCatalogue.moc"
