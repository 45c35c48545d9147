#include "engine/statusParser.h"

#include <QLocale>
#include <QTest>

#include <clocale>

Q_DECLARE_METATYPE(std::optional<double>)

namespace {

std::optional<double> none() {
    return std::nullopt;
}

} // namespace

class TestStatusParser final : public QObject {
    Q_OBJECT

private slots:
    void statusStep_data() {
        QTest::addColumn<QString>("candidateBefore");
        QTest::addColumn<QByteArray>("chunk");
        QTest::addColumn<QString>("candidateAfter");
        QTest::addColumn<std::optional<double>>("position");

        QTest::newRow("status line") << QString() << QByteArray("Pos:  12.3s    370f ( 4%)")
                                     << QStringLiteral("  12.3") << std::optional(12.3);
        QTest::newRow("first of two lines counts")
            << QString() << QByteArray("Pos:   1.0s   30f\rPos:   1.1s   33f\r")
            << QStringLiteral("   1.0") << std::optional(1.0);
        QTest::newRow("Pos: at the very end empties the candidate")
            << QStringLiteral(" 7.5") << QByteArray("noise Pos:") << QString() << none();
        QTest::newRow("digits without the s")
            << QStringLiteral(" 7.5") << QByteArray("Pos: 8.25") << QString() << none();
        QTest::newRow("no Pos: keeps the candidate")
            << QStringLiteral(" 7.5") << QByteArray("Video stream: 800 kbit/s")
            << QStringLiteral(" 7.5") << std::optional(7.5);
        QTest::newRow("no Pos: keeps an empty candidate")
            << QString() << QByteArray("frames") << QString() << none();
        QTest::newRow("case matters")
            << QString() << QByteArray("pos: 3.0s") << QString() << none();
        QTest::newRow("comma is no decimal point")
            << QString() << QByteArray("Pos: 1,5s") << QStringLiteral(" 1,5") << none();
        QTest::newRow("exponent") << QString() << QByteArray("Pos:-2.5E1s")
                                  << QStringLiteral("-2.5E1") << std::optional(-25.0);
        QTest::newRow("text after the s is ignored")
            << QString() << QByteArray("Pos:  4.0s 120f ( 3%) 29.97fps Trem: 0min")
            << QStringLiteral("  4.0") << std::optional(4.0);
        QTest::newRow("s inside other text")
            << QString() << QByteArray("Pos: status") << QStringLiteral(" ") << none();
    }

    void statusStep() {
        QFETCH(QString, candidateBefore);
        QFETCH(QByteArray, chunk);
        QFETCH(QString, candidateAfter);
        QFETCH(std::optional<double>, position);
        QString candidate = candidateBefore;
        QCOMPARE(StatusStep(chunk, candidate), position);
        QCOMPARE(candidate, candidateAfter);
    }

    void numberForm_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<std::optional<double>>("value");
        QTest::newRow("plain") << QStringLiteral("12.3") << std::optional(12.3);
        QTest::newRow("blanks around") << QStringLiteral("  12.3  ") << std::optional(12.3);
        QTest::newRow("whole") << QStringLiteral("42") << std::optional(42.0);
        QTest::newRow("point first") << QStringLiteral(".5") << std::optional(0.5);
        QTest::newRow("point last") << QStringLiteral("5.") << std::optional(5.0);
        QTest::newRow("signs") << QStringLiteral("-3") << std::optional(-3.0);
        QTest::newRow("plus") << QStringLiteral("+3.5") << std::optional(3.5);
        QTest::newRow("exponent") << QStringLiteral("1.5e+2") << std::optional(150.0);
        QTest::newRow("empty") << QString() << none();
        QTest::newRow("blanks only") << QStringLiteral("   ") << none();
        QTest::newRow("sign only") << QStringLiteral("-") << none();
        QTest::newRow("comma") << QStringLiteral("1,5") << none();
        QTest::newRow("blank inside") << QStringLiteral("1 5") << none();
        QTest::newRow("exponent without digits") << QStringLiteral("1e") << none();
        QTest::newRow("trailing text") << QStringLiteral("12.3 f") << none();
        QTest::newRow("tab") << QStringLiteral("\t12") << none();
    }

    void numberForm() {
        QFETCH(QString, text);
        QFETCH(std::optional<double>, value);
        QCOMPARE(ParseStatusNumber(text), value);
    }

    // A user whose locale writes decimal commas still reads the encoder's points.
    void numberFormIgnoresLocale() {
        const QLocale before;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        const char* const numeric = std::setlocale(LC_NUMERIC, nullptr);
        const QByteArray savedNumeric(numeric ? numeric : "C");
        std::setlocale(LC_NUMERIC, "de_DE.UTF-8"); // may be missing; then the Qt default alone
        QCOMPARE(ParseStatusNumber(QStringLiteral("12.5")), std::optional(12.5));
        QCOMPARE(ParseStatusNumber(QStringLiteral("12,5")), none());
        std::setlocale(LC_NUMERIC, savedNumeric.constData());
        QLocale::setDefault(before);
    }

    void chunks_data() {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QList<int>>("sizes");
        QTest::newRow("small") << QByteArray("Pos: 1.0s") << QList<int>{9};
        QTest::newRow("exactly one chunk") << QByteArray(4095, 'x') << QList<int>{4095};
        QTest::newRow("cut into three") << QByteArray(10000, 'x') << QList<int>{4095, 4095, 1810};
        QTest::newRow("zero byte ends the text")
            << QByteArray("Pos: 1.0s\0Pos: 2.0s", 19) << QList<int>{9};
        QTest::newRow("zero byte in the second chunk")
            << QByteArray(4095, 'x') + QByteArray("ab\0cd", 5) << QList<int>{4095, 2};
        QTest::newRow("nothing") << QByteArray() << QList<int>{};
    }

    void chunks() {
        QFETCH(QByteArray, data);
        QFETCH(QList<int>, sizes);
        const QList<QByteArray> chunks = CutIntoChunks(data);
        QList<int> got;
        for (const QByteArray& chunk : chunks) {
            QVERIFY(!chunk.contains('\0'));
            got << int(chunk.size());
        }
        QCOMPARE(got, sizes);
    }

    // The first 20 chunks of a run are never examined; the candidate carries
    // from run to run within a pass and is emptied when a pass starts.
    void readerAcrossRuns() {
        StatusReader reader;
        reader.startPass();
        reader.startRun();
        for (int i = 0; i < UnexaminedChunks; ++i) {
            const auto verdict = reader.takeChunk("Pos: 3.0s");
            QVERIFY(!verdict.examined);
        }
        QCOMPARE(reader.candidate(), QString()); // the early status lines were ignored
        auto verdict = reader.takeChunk("no status here");
        QVERIFY(verdict.examined);
        QCOMPARE(verdict.position, none()); // the first entry's candidate is still empty
        verdict = reader.takeChunk("Pos:   7.5s");
        QCOMPARE(verdict.position, std::optional(7.5));

        reader.startRun(); // the second entry
        for (int i = 0; i < UnexaminedChunks; ++i)
            QVERIFY(!reader.takeChunk("Pos: 99.0s").examined);
        verdict = reader.takeChunk("frames only");
        QVERIFY(verdict.examined);
        QCOMPARE(verdict.position, std::optional(7.5)); // the first entry's last position

        reader.startPass(); // the join pass starts afresh
        reader.startRun();
        for (int i = 0; i < UnexaminedChunks; ++i)
            reader.takeChunk("x");
        QCOMPARE(reader.takeChunk("frames only").position, none());
    }

    // A short run never gets past the unexamined chunks.
    void shortRunPassesNothing() {
        StatusReader reader;
        reader.startPass();
        reader.startRun();
        for (int i = 0; i < 5; ++i)
            QVERIFY(!reader.takeChunk("Pos: 1.0s").examined);
    }
};

QTEST_GUILESS_MAIN(TestStatusParser)
#include "test_statusParser.moc"
