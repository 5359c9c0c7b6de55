#pragma once

#include <QObject>
#include <QString>

// A button that shows an icon loaded from a file or resource path.
class IiconBase
{
public:
    virtual void SetIcon(const QString &path) = 0;

protected:
    IiconBase() = default;
    IiconBase(const IiconBase &) = default;
    IiconBase &operator=(const IiconBase &) = default;
    ~IiconBase() = default;
};

Q_DECLARE_INTERFACE(IiconBase, "IiconBase")
