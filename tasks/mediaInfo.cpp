#include "tasks/mediaInfo.h"

#include "tasks/timeText.h"

// The library's header uses size_t without including its definition.
#include <cstddef>
#include <cstdlib>

#include <MediaInfoDLL/MediaInfoDLL_Static.h>

#include <QFileInfo>

#include <cmath>
#include <string>

namespace {

QString get(void* handle, MediaInfo_stream_C kind, const wchar_t* parameter) {
    const wchar_t* value =
        MediaInfo_Get(handle, kind, 0, parameter, MediaInfo_Info_Text, MediaInfo_Info_Name);
    return value ? QString::fromWCharArray(value) : QString();
}

// Owns one library handle; the library wants Close for the file and Delete
// for its own state, on every path.
class Handle final {
public:
    Handle() : m_handle(MediaInfo_New()) {}
    ~Handle() {
        MediaInfo_Close(m_handle);
        MediaInfo_Delete(m_handle);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    void* get() const { return m_handle; }

private:
    void* m_handle;
};

} // namespace

bool PlayTimeToLengthText(const QString& milliseconds, QString* lengthText, QString* error) {
    bool ok = false;
    const double ms = milliseconds.toDouble(&ok); // always a point, whatever the locale
    if (!ok || !std::isfinite(ms) || ms < 0) {
        *error = milliseconds.isEmpty()
                     ? QStringLiteral("no play time could be found (not a video file, or a "
                                      "damaged one)")
                     : QStringLiteral("the play time '%1' is not a number").arg(milliseconds);
        return false;
    }
    *lengthText = SecondsToTimeText(ms / 1000.0);
    return true;
}

MediaInfoResult ReadMediaInfo(const QString& path) {
    MediaInfoResult result;
    const QFileInfo file(path);
    if (!file.isFile() || !file.isReadable()) {
        result.error = file.exists() ? QStringLiteral("the file cannot be read")
                                     : QStringLiteral("the file does not exist");
        return result;
    }
    const Handle handle;
    const std::wstring wide = path.toStdWString();
    if (MediaInfo_Open(handle.get(), wide.c_str()) == 0) {
        result.error = QStringLiteral("the file cannot be opened");
        return result;
    }
    const QString playTime = get(handle.get(), MediaInfo_Stream_General, L"PlayTime");
    if (!PlayTimeToLengthText(playTime, &result.lengthText, &result.error))
        return result;
    result.sizeText = get(handle.get(), MediaInfo_Stream_Video, L"Width") + QLatin1Char('x') +
                      get(handle.get(), MediaInfo_Stream_Video, L"Height");
    result.ok = true;
    return result;
}
