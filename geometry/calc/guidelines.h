#pragma once

#include <QByteArray>
#include <QString>

// The largest viewing angles, in degrees, at which one kind of target is
// still recognised, and where that advice comes from.
struct GuidelineProfile {
    double verticalMax = 0.0;
    double horizontalMax = 0.0;
    QString source;
};

// The two viewing-angle profiles a plan is judged by: reading licence plates
// and capturing faces. They live in "guidelines.json" beside the program's
// "language" folder, so a user can bring them in line with the guide they
// work to:
//
//   {
//     "plateReading": {"verticalMax": 30, "horizontalMax": 20, "source": "..."},
//     "faceCapture": {"verticalMax": 15, "horizontalMax": 15, "source": "..."}
//   }
//
// Both profiles and all four limits must be there, each limit a number from
// 0 to 90; "source" is an optional text; other members are ignored. A file
// that breaks any of this is not used in part: the built-in profiles, equal
// to the shipped file, stand in for all of it.
struct Guidelines {
    GuidelineProfile plateReading;
    GuidelineProfile faceCapture;

    // A longer file is refused unread.
    static constexpr qint64 MostBytes = 64 * 1024;

    static Guidelines builtIn();

    // "<appDir>/guidelines.json", and that file beside the running program.
    static QString pathIn(const QString &appDir);
    static QString path();

    // The profiles of the file at path. When it is missing, is no regular
    // file, is too long, cannot be read or does not hold valid profiles,
    // the built-in profiles, with the reason in *error; otherwise *error is
    // empty.
    static Guidelines load(const QString &path, QString *error);
    // The same for the contents of such a file.
    static Guidelines fromJson(const QByteArray &json, QString *error);
};
