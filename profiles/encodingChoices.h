#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <array>

// The eleven setting boxes of the output settings dialog, in the order in which
// a profile is loaded. Each box finds its profile section by name.
enum class SettingBox {
    Vcodec,    // "Video Codec", list only
    VideoSize, // "Video Size", list only
    Vbitrate,  // "Video Bitrate", editable
    Aspect,    // "Aspect", list only
    Acodec,    // "Audio Codec", list only
    EncodeTo,  // "MP3 Encode", list only
    Quality,   // "VBR Quality", list only
    Bitrate,   // "ABR CBR Bitrate", editable
    Abitrate,  // "Audio Bitrate", editable
    Srate,     // "Sample Rate", editable
    Channels,  // "Channels", list only
};
constexpr int SettingBoxCount = 11;

enum class SizeMode { SelectSize, ManualSize };

// One box: its entries (captions from the profile), the selected entry (−1 for
// none) and, for an editable box, its text (the selected caption or typed text).
struct ChoiceBox {
    QStringList entries;
    int selected = -1;
    QString typedText;
};

// The encoding choices in force: filled by loading a profile, edited by the
// output settings dialog, read by the option builder when a job starts. This is
// the one copy; the dialog's controls show and edit it.
class EncodingChoices final : public QObject {
    Q_OBJECT
public:
    explicit EncodingChoices(QObject* parent = nullptr) : QObject(parent) {}

    static QString sectionName(SettingBox box);
    static bool isEditable(SettingBox box);

    ChoiceBox& box(SettingBox b) { return m_boxes[static_cast<int>(b)]; }
    const ChoiceBox& box(SettingBox b) const { return m_boxes[static_cast<int>(b)]; }

    // What the box shows: the typed text of an editable box, the selected
    // caption of a list-only box (empty when nothing is selected).
    QString text(SettingBox b) const;
    int selected(SettingBox b) const { return box(b).selected; }

    QString profilePath;              // the profile last loaded; empty before the first load
    QString outputExt;                // "." + [Main] "Type" of that profile; empty before
    SizeMode sizeMode = SizeMode::SelectSize;
    QString width;                    // manual size, as typed
    QString height;

signals:
    // Emitted after a profile load or a restore, so a view can show the new state.
    void reloaded();

private:
    std::array<ChoiceBox, SettingBoxCount> m_boxes;
};
