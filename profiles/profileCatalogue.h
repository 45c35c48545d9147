#pragma once

#include <QString>
#include <QStringList>

// The profile catalogue: which ".bpf" files the Profiles folder holds, the
// names the profile list shows for them, and the way back from a shown name to
// its file.

// Names (without folder) of the regular, non-hidden files directly in `folder`
// whose extension equals `ext` (with its dot) without regard to case, sorted by
// name without regard to case. A name without "." has no extension and is never
// listed. Sub-folders are skipped even when their names look like files.
QStringList ListFilesWithExt(const QString& folder, const QString& ext);

// The text before the last "." of a file name: "x.y.bpf" gives "x.y". Only the
// part after the last "/" is looked at, so a dot in a folder name is never
// taken for an extension. A name without any "." comes back unchanged: it has
// no extension to drop ("movie" stays "movie", ".bpf" gives "").
QString FileNameWithoutExt(const QString& name);

// The display names for the profile list, in catalogue order.
QStringList ProfileCatalogue(const QString& profilesDir);

// The file behind a display name chosen in the profile list: profilesDir +
// name + ".bpf" when that file exists; otherwise the catalogue's file with that
// name and an extension written in another case ("A.BPF" for "A"), since file
// names tell case apart here. When neither exists, the rebuilt path is returned
// all the same, naming no file, so that readers fall back on their defaults.
// An empty name gives an empty path.
QString ProfilePathFor(const QString& profilesDir, const QString& displayName);

class EncodingChoices;

// What choosing a display name in the profile list does: loads that profile's
// file into the choices. When the file has gone since start-up nothing
// changes, silently, and false comes back: the previous profile stays loaded.
bool ApplyChosenProfile(EncodingChoices& choices, const QString& profilesDir,
                        const QString& displayName);
