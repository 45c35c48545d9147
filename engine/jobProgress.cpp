#include "engine/jobProgress.h"

#include "app/programInfo.h"
#include "tasks/timeText.h"

#include <cmath>

namespace {

constexpr qint64 BarLimit = 65535;

} // namespace

bool BarValue::set(qint64 value) {
    if (value < 0 || value > BarLimit)
        return false;
    m_shown = static_cast<int>(std::min<qint64>(value, 100));
    return true;
}

std::optional<qint64> NearestBarValue(double value) {
    // Checked before rounding: a length of -1 or 0 can make the quotient
    // infinite or huge, and no bar takes such a value.
    if (!std::isfinite(value) || value < -1.0 || value > BarLimit + 1.0)
        return std::nullopt;
    return RoundHalfEven(value);
}

JobProgress::JobProgress(QObject* parent) : QObject(parent) {
    m_timer.setInterval(1000);
    m_timer.setTimerType(Qt::PreciseTimer);
    // Elapsed time comes from the clock, not from counting ticks, so it keeps
    // pace even if a tick is late.
    connect(&m_timer, &QTimer::timeout, this, [this] { updateTimes(m_clock.elapsed() / 1000); });
}

void JobProgress::setProgressPanel(bool shown) {
    if (progressPanelShown == shown)
        return;
    progressPanelShown = shown;
    emit panelsSwapped(shown);
}

void JobProgress::startConversionPass(double totalSeconds) {
    pass = Pass::Conversion;
    processTitle = QStringLiteral("Prepare (Converting):");
    convertingFileVisible = true;
    convertingFile.clear();
    elapsedText.clear();
    remainingText.clear();
    current.set(0);
    total.set(0);
    setProgressPanel(true);
    DoneSeconds = 0;
    ElapsedSeconds = 0;
    RemainingSeconds = 0;
    m_clock.start();
    m_timer.start();
    TotalSeconds = totalSeconds;
    emit changed();
}

void JobProgress::startEntry(const QString& inputFile, double lengthSeconds) {
    Position = 0;
    convertingFile = FileNamePart(inputFile);
    ItemSeconds = lengthSeconds;
    emit changed();
}

void JobProgress::entryConverted(bool lastEntry) {
    DoneSeconds += ItemSeconds;
    // After the last entry the current bar keeps its value until the join moves it.
    if (!lastEntry)
        current.set(0);
    emit changed();
}

void JobProgress::startJoinPass(double totalSeconds) {
    pass = Pass::Join;
    processTitle = QStringLiteral("Final Step: Joining all files...");
    convertingFileVisible = false;
    setProgressPanel(true);
    DoneSeconds = 0;
    Position = 0;
    TotalSeconds = totalSeconds;
    ItemSeconds = TotalSeconds;
    emit changed();
}

void JobProgress::joinCompleted() {
    current.set(100);
    total.set(100);
    m_timer.stop();
    emit changed();
}

void JobProgress::stopTimer() {
    m_timer.stop();
}

void JobProgress::showIdlePanels() {
    m_timer.stop();
    setProgressPanel(false);
}

bool JobProgress::updateBars() {
    if (ItemSeconds != 0) {
        const auto value = NearestBarValue(Position / ItemSeconds * 100);
        if (!value || !current.set(*value))
            return false;
    }
    if (TotalSeconds != 0) {
        std::optional<qint64> value;
        if (pass == Pass::Conversion) {
            value = NearestBarValue((DoneSeconds + Position) / TotalSeconds * 100 / 2);
        } else if (const auto half = NearestBarValue(Position / TotalSeconds * 100 / 2)) {
            value = *half + 50;
        }
        if (!value || !total.set(*value))
            return false;
    }
    return true;
}

void JobProgress::ShowStatusPosition(std::optional<double> position) {
    if (position) {
        // During the join a position never goes back, so neither do the bars.
        if (pass == Pass::Conversion || *position > Position)
            Position = *position;
    }
    // A refused bar value skips the rest of the update; the labels keep
    // showing what the bars show.
    updateBars();
    emit changed();
}

void JobProgress::updateTimes(qint64 elapsedSeconds) {
    ElapsedSeconds = elapsedSeconds;
    elapsedText = SecondsToTimeText(static_cast<double>(ElapsedSeconds));
    const int p = total.shown();
    if (p != 0) {
        const double e = static_cast<double>(ElapsedSeconds);
        RemainingSeconds = RoundHalfEven(e / (p / 100.0) - e);
    }
    remainingText = SecondsToTimeText(static_cast<double>(RemainingSeconds));
    emit changed();
}
