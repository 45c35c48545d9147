#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

#include <optional>

// A progress bar's value as the bar holds it: 0 to 100. A value from 101 to
// 65535 shows as 100; one below 0 or above 65535 is refused and the bar keeps
// what it showed.
class BarValue final {
public:
    bool set(qint64 value);
    int shown() const { return m_shown; }
    QString labelText() const { return QString::number(m_shown) + QLatin1Char('%'); }

private:
    int m_shown = 0;
};

// Nearest whole number (a half to the even neighbour) as a bar may take it;
// nothing for values no bar takes (out of range, infinite, not a number).
std::optional<qint64> NearestBarValue(double value);

// The progress of a join job: which step runs, the current and total bars with
// their labels, the elapsed and remaining time, and which bottom panel shows.
// The conversion pass fills the total bar from 0 to 50, the join pass from 50
// to 100. A view shows these values; the job tells this object where it stands.
class JobProgress final : public QObject {
    Q_OBJECT
public:
    enum class Pass { Conversion, Join };

    explicit JobProgress(QObject* parent = nullptr);

    // Where the job stands.
    void startConversionPass(double totalSeconds);
    void startEntry(const QString& inputFile, double lengthSeconds);
    void entryConverted(bool lastEntry);
    void startJoinPass(double totalSeconds);
    void joinCompleted();
    void stopTimer();
    void showIdlePanels();

    // One examined status chunk: the encoder position it gave, or none.
    void ShowStatusPosition(std::optional<double> position);
    // Brings the time labels up to date for the given elapsed seconds; the
    // one-second timer calls it with the clock's reading.
    void updateTimes(qint64 elapsedSeconds);

    bool timerActive() const { return m_timer.isActive(); }

    // What the display shows.
    QString processTitle;
    QString convertingFile;
    bool convertingFileVisible = true;
    BarValue current;
    BarValue total;
    QString elapsedText;
    QString remainingText;
    bool progressPanelShown = false;

    // The values behind the bars.
    Pass pass = Pass::Conversion;
    double TotalSeconds = 0;
    double DoneSeconds = 0;
    double ItemSeconds = 0;
    double Position = 0;
    qint64 ElapsedSeconds = 0;
    qint64 RemainingSeconds = 0;

signals:
    void changed();
    // True while the progress panel replaces the profile and output panel.
    void panelsSwapped(bool progressShown);

private:
    void setProgressPanel(bool shown);
    bool updateBars();

    QTimer m_timer;
    QElapsedTimer m_clock;
};
