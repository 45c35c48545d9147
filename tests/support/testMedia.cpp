#include "tests/support/testMedia.h"

#include <QFileInfo>
#include <QProcess>
#include <QStringList>

#include <MediaInfoDLL/MediaInfoDLL_Static.h>

#include <string>

bool MakeClip(const QString& path, const ClipSpec& spec, QString* error) {
    const QString size = QStringLiteral("%1x%2").arg(spec.width).arg(spec.height);
    QStringList args{QStringLiteral("-hide_banner"), QStringLiteral("-loglevel"),
                     QStringLiteral("error"), QStringLiteral("-y"), QStringLiteral("-f"),
                     QStringLiteral("lavfi"), QStringLiteral("-i"),
                     QStringLiteral("testsrc=size=%1:rate=%2:duration=%3")
                         .arg(size)
                         .arg(spec.fps)
                         .arg(spec.seconds)};
    if (spec.audio) {
        args << QStringLiteral("-f") << QStringLiteral("lavfi") << QStringLiteral("-i")
             << QStringLiteral("sine=frequency=440:sample_rate=%1:duration=%2")
                    .arg(spec.sampleRate)
                    .arg(spec.seconds)
             << QStringLiteral("-ac") << QString::number(spec.channels);
    }
    const QString ext = QFileInfo(path).suffix().toLower();
    // Fast codecs that each container holds.
    if (ext == QLatin1String("avi") || ext == QLatin1String("mp4") || ext == QLatin1String("mov"))
        args << QStringLiteral("-c:v") << QStringLiteral("mpeg4") << QStringLiteral("-q:v")
             << QStringLiteral("5");
    if (spec.audio && (ext == QLatin1String("mp4") || ext == QLatin1String("mov")))
        args << QStringLiteral("-c:a") << QStringLiteral("aac");
    if (spec.audio && ext == QLatin1String("avi"))
        args << QStringLiteral("-c:a") << QStringLiteral("libmp3lame");
    if (ext == QLatin1String("mpg") || ext == QLatin1String("mpeg") || ext == QLatin1String("vob"))
        args << QStringLiteral("-f") << (ext == QLatin1String("vob") ? QStringLiteral("vob") : QStringLiteral("mpeg"));
    args << path;

    QProcess ffmpeg;
    ffmpeg.setProcessChannelMode(QProcess::MergedChannels);
    ffmpeg.start(QStringLiteral("ffmpeg"), args);
    const bool ok = ffmpeg.waitForFinished(60000) && ffmpeg.exitStatus() == QProcess::NormalExit &&
                    ffmpeg.exitCode() == 0;
    if (!ok && error)
        *error = QString::fromUtf8(ffmpeg.readAll());
    return ok;
}

namespace {

QString get(void* handle, MediaInfo_stream_C kind, const wchar_t* parameter) {
    const wchar_t* value = MediaInfo_Get(handle, kind, 0, parameter, MediaInfo_Info_Text,
                                         MediaInfo_Info_Name);
    return value ? QString::fromWCharArray(value) : QString();
}

} // namespace

MediaFacts ReadMediaFacts(const QString& path) {
    MediaFacts facts;
    void* handle = MediaInfo_New();
    const std::wstring wide = path.toStdWString();
    MediaInfo_Open(handle, wide.c_str());
    facts.format = get(handle, MediaInfo_Stream_General, L"Format");
    auto number = [](const QString& text) {
        bool ok = false;
        const double value = text.toDouble(&ok);
        return ok ? value : -1.0;
    };
    facts.durationMs = number(get(handle, MediaInfo_Stream_General, L"Duration"));
    facts.videoDurationMs = number(get(handle, MediaInfo_Stream_Video, L"Duration"));
    facts.audioDurationMs = number(get(handle, MediaInfo_Stream_Audio, L"Duration"));
    facts.videoFormat = get(handle, MediaInfo_Stream_Video, L"Format");
    facts.audioFormat = get(handle, MediaInfo_Stream_Audio, L"Format");
    facts.width = get(handle, MediaInfo_Stream_Video, L"Width").toInt();
    facts.height = get(handle, MediaInfo_Stream_Video, L"Height").toInt();
    facts.frameRate = number(get(handle, MediaInfo_Stream_Video, L"FrameRate"));
    facts.sampleRate = get(handle, MediaInfo_Stream_Audio, L"SamplingRate").toInt();
    facts.channels = get(handle, MediaInfo_Stream_Audio, L"Channel(s)").toInt();
    MediaInfo_Close(handle);
    MediaInfo_Delete(handle);
    return facts;
}
