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

class EncodingChoices;

// What Cancel puts back: taken each time the settings dialog is shown. The
// list-only boxes keep their selected entries; the editable boxes, the manual
// size and the size mode keep their texts.
struct SavedSettings final {
    int vcodec = -1;
    int aspect = -1;
    int videoSize = -1;
    int acodec = -1;
    int encodeTo = -1;
    int quality = -1;
    int channels = -1;
    QString vbitrate;
    QString abitrate;
    QString bitrate;
    QString srate;
    QString width;
    QString height;
    SizeMode sizeMode = SizeMode::SelectSize;

    static SavedSettings take(const EncodingChoices& choices);
    // Puts the snapshot back and announces it with reloaded(). An editable box
    // gets its text back and the entry of that caption, if any, selected.
    void restoreInto(EncodingChoices& choices) const;
};

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

    // Reads the profile at `path` into every box and sets profilePath and
    // outputExt. A missing file changes nothing and gives false. The size mode
    // and the manual width and height are left alone, so a manual size outlives
    // a change of profile.
    bool loadProfile(const QString& path);

    // The two lines the description box shows for a box: the "Description" of
    // its section in the profile last loaded, then "Current Value: " and the
    // box's text. The file is read again each time.
    QStringList description(SettingBox b) const;

    // The user picked entry `index` (-1 for none); an editable box takes its caption as text.
    void chooseEntry(SettingBox b, int index);
    // The user typed into an editable box: the text is theirs, no entry stays selected.
    void typeText(SettingBox b, const QString& text);
    // Text put into an editable box by the program (Cancel, a corrected value):
    // the entry whose caption equals it becomes the selected one, or none.
    void putText(SettingBox b, const QString& text);

    QString profilePath; // the profile last loaded; empty before the first load
    QString outputExt;   // "." + [Main] "Type" of that profile; empty before
    SizeMode sizeMode = SizeMode::SelectSize;
    QString width; // manual size, as typed
    QString height;

signals:
    // Emitted after a profile load or a restore, so a view can show the new state.
    void reloaded();
    // Emitted after reloaded() when a profile was loaded (not after a restore):
    // a load ends with the "MP3 Encode" box's description on show.
    void profileLoaded();

private:
    std::array<ChoiceBox, SettingBoxCount> m_boxes;
};
