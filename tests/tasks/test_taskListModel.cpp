#include "tasks/taskListModel.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

namespace {

ltvItemData fullRecord(const QString& tag) {
    ltvItemData item;
    item.InputFile = QStringLiteral("/videos/") + tag + QStringLiteral(".avi");
    item.LengthText = QStringLiteral("00:00:07.5");
    item.SizeText = QStringLiteral("720x480");
    item.StatusText = QStringLiteral("OK");
    item.TitleText = tag;
    item.SpareText = tag + QStringLiteral("-spare");
    item.SpareTime1Text = QStringLiteral("01:00:00");
    item.SpareTime2Text = tag + QStringLiteral("-2");
    item.SpareTime3Text = tag + QStringLiteral("-3");
    item.SpareTime4Text = tag + QStringLiteral("-4");
    item.SpareTime5Text = QStringLiteral("00:00:01");
    return item;
}

QStringList texts(const ltvItemData& i) {
    return {i.InputFile,      i.LengthText,     i.SizeText,       i.StatusText,
            i.TitleText,      i.SpareText,      i.SpareTime1Text, i.SpareTime2Text,
            i.SpareTime3Text, i.SpareTime4Text, i.SpareTime5Text};
}

} // namespace

class TestTaskListModel final : public QObject {
    Q_OBJECT
private slots:
    void wholeRecordRoundTripsWithDerivedSeconds() {
        TaskListModel model;
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.WriteTaskItem(model.appendEmptyRow(), TaskField::All,
                            fullRecord(QStringLiteral("a")));
        ltvItemData read;
        model.ReadTaskItem(0, TaskField::All, read);
        QCOMPARE(texts(read), texts(fullRecord(QStringLiteral("a"))));
        QCOMPARE(read.LengthSeconds, 7.5);
        QCOMPARE(read.SpareTime1Seconds, 3600.0);
        QCOMPARE(read.SpareTime2Seconds, -1.0); // not a time text
        QCOMPARE(read.SpareTime5Seconds, 1.0);
        QCOMPARE(model.data(model.index(0, 0), Qt::DisplayRole).toString(), read.InputFile);
        QCOMPARE(model.data(model.index(0, 3), Qt::DisplayRole).toString(), QStringLiteral("OK"));
        QCOMPARE(model.headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(),
                 QStringLiteral("Length"));
    }

    void emptySpareTimesReadAsMinusOne() {
        TaskListModel model;
        ltvItemData item;
        item.InputFile = QStringLiteral("/v/a.avi");
        item.LengthText = QStringLiteral("00:03:25.4");
        model.WriteTaskItem(model.appendEmptyRow(), TaskField::All, item);
        ltvItemData read;
        model.ReadTaskItem(0, TaskField::All, read);
        QCOMPARE(read.LengthSeconds, 205.4);
        for (double s : {read.SpareTime1Seconds, read.SpareTime2Seconds, read.SpareTime3Seconds,
                         read.SpareTime4Seconds, read.SpareTime5Seconds})
            QCOMPARE(s, -1.0);
    }

    // Each selector touches its own text only, in both directions.
    void singleSelectors_data() {
        QTest::addColumn<int>("selector");
        QTest::addColumn<int>("textIndex"); // -1: no text at all
        for (int s = -1; s <= 9; ++s)
            QTest::newRow(qPrintable(QStringLiteral("selector %1").arg(s))) << s << s + 1;
        QTest::newRow("selector 10 does nothing") << 10 << -1;
        QTest::newRow("selector -3 does nothing") << -3 << -1;
    }
    void singleSelectors() {
        QFETCH(int, selector);
        QFETCH(int, textIndex);
        TaskListModel model;
        model.WriteTaskItem(model.appendEmptyRow(), TaskField::All,
                            fullRecord(QStringLiteral("old")));

        // Write: only the addressed text of the row changes.
        model.WriteTaskItem(0, selector, fullRecord(QStringLiteral("new")));
        ltvItemData stored;
        model.ReadTaskItem(0, TaskField::All, stored);
        QStringList expected = texts(fullRecord(QStringLiteral("old")));
        if (textIndex >= 0)
            expected[textIndex] = texts(fullRecord(QStringLiteral("new")))[textIndex];
        QCOMPARE(texts(stored), expected);

        // Read: only the addressed field of the caller's record changes.
        ltvItemData record = fullRecord(QStringLiteral("caller"));
        record.LengthSeconds = 42;
        model.ReadTaskItem(0, selector, record);
        QStringList afterRead = texts(fullRecord(QStringLiteral("caller")));
        if (textIndex >= 0)
            afterRead[textIndex] = expected[textIndex];
        QCOMPARE(texts(record), afterRead);
        QCOMPARE(record.LengthSeconds, selector == TaskField::Length ? 7.5 : 42.0);
    }

    void statusWriteChangesOnlyTheStatusColumn() {
        TaskListModel model;
        for (const char* tag : {"a", "b"})
            model.WriteTaskItem(model.appendEmptyRow(), TaskField::All,
                                fullRecord(QLatin1String(tag)));
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        ltvItemData status;
        status.StatusText = QStringLiteral("Converting");
        model.WriteTaskItem(1, TaskField::Status, status);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.first().at(0).toModelIndex(), model.index(1, 3));
        ltvItemData a, b;
        model.ReadTaskItem(0, TaskField::All, a);
        model.ReadTaskItem(1, TaskField::All, b);
        QCOMPARE(texts(a), texts(fullRecord(QStringLiteral("a"))));
        QStringList expected = texts(fullRecord(QStringLiteral("b")));
        expected[3] = QStringLiteral("Converting");
        QCOMPARE(texts(b), expected);
    }

    void removeAndClearKeepTheOthersInOrder() {
        TaskListModel model;
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        for (const char* tag : {"a", "b", "c"})
            model.WriteTaskItem(model.appendEmptyRow(), TaskField::All,
                                fullRecord(QLatin1String(tag)));
        model.removeTaskRow(1);
        ltvItemData second;
        model.ReadTaskItem(1, TaskField::Caption, second);
        QCOMPARE(second.InputFile, QStringLiteral("/videos/c.avi"));
        model.clearRows();
        QCOMPARE(model.count(), 0);
    }
};

QTEST_MAIN(TestTaskListModel)
#include "test_taskListModel.moc"
