#include "guidelines.h"

#include "regularfile.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QJsonValue>

namespace
{

constexpr double LargestAngle = 90.0;

bool readLimit(const QJsonObject &profile, const QString &name, const QString &key, double *limit,
               QString *reason)
{
    const QJsonValue value = profile.value(key);
    const double number = value.toDouble(-1.0);
    if (!value.isDouble() || !(number >= 0.0 && number <= LargestAngle)) {
        *reason = QStringLiteral("\"%1\".\"%2\" is not a number from 0 to %3")
                      .arg(name, key)
                      .arg(LargestAngle);
        return false;
    }
    *limit = number;
    return true;
}

bool readProfile(const QJsonObject &root, const QString &name, GuidelineProfile *profile,
                 QString *reason)
{
    const QJsonValue value = root.value(name);
    if (!value.isObject()) {
        *reason = QStringLiteral("\"%1\" is missing or not an object").arg(name);
        return false;
    }
    const QJsonObject object = value.toObject();
    if (!readLimit(object, name, QStringLiteral("verticalMax"), &profile->verticalMax, reason) ||
        !readLimit(object, name, QStringLiteral("horizontalMax"), &profile->horizontalMax, reason))
        return false;
    const QJsonValue source = object.value(QStringLiteral("source"));
    if (!source.isUndefined() && !source.isString()) {
        *reason = QStringLiteral("\"%1\".\"source\" is not a text").arg(name);
        return false;
    }
    profile->source = source.toString();
    return true;
}

} // namespace

Guidelines Guidelines::builtIn()
{
    Guidelines g;
    g.plateReading.verticalMax = 30.0;
    g.plateReading.horizontalMax = 20.0;
    g.plateReading.source =
        QStringLiteral("Camera manufacturers' guides to licence-plate recognition give 20 to "
                       "30 degrees for both angles: the upper end vertically, 20 degrees "
                       "across.");
    g.faceCapture.verticalMax = 15.0;
    g.faceCapture.horizontalMax = 15.0;
    g.faceCapture.source =
        QStringLiteral("Face-recognition guides give +-15 degrees for both angles.");
    return g;
}

QString Guidelines::pathIn(const QString &appDir)
{
    return QStringLiteral("%1/guidelines.json").arg(appDir);
}

QString Guidelines::path()
{
    return pathIn(QCoreApplication::applicationDirPath());
}

Guidelines Guidelines::load(const QString &path, QString *error)
{
    QByteArray bytes;
    QString reason;
    if (!RegularFile::read(path, MostBytes, &bytes, &reason)) {
        *error = QStringLiteral("%1: %2").arg(path, reason);
        return builtIn();
    }
    const Guidelines guidelines = fromJson(bytes, &reason);
    *error = reason.isEmpty() ? QString() : QStringLiteral("%1: %2").arg(path, reason);
    return guidelines;
}

Guidelines Guidelines::fromJson(const QByteArray &json, QString *error)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        *error = QStringLiteral("not JSON: %1 at byte %2")
                     .arg(parseError.errorString())
                     .arg(parseError.offset);
        return builtIn();
    }
    if (!document.isObject()) {
        *error = QStringLiteral("the file holds no JSON object");
        return builtIn();
    }
    const QJsonObject root = document.object();
    Guidelines guidelines;
    QString reason;
    if (!readProfile(root, QStringLiteral("plateReading"), &guidelines.plateReading, &reason) ||
        !readProfile(root, QStringLiteral("faceCapture"), &guidelines.faceCapture, &reason)) {
        *error = reason;
        return builtIn();
    }
    error->clear();
    return guidelines;
}
