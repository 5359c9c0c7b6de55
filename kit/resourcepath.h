#pragma once

#include <QString>

// Kinds of skin resources; each has its own folder and file suffix.
enum ResourceKind : int { Png = 0, Icon = 1, Qss = 2, Gif = 3, Bmp = 4, Svg = 5 };

// The skin whose pictures the kit shows ("darkgreen").
QString GetSkinName();

// Path of a skin resource in the compiled-in resources, for example
// "playback/TimeDown" as Png with suffix gives
// ":/res/darkgreen/png/playback/TimeDown.png". An unknown kind gives an empty
// string.
QString GetResourcePath(const QString &name, ResourceKind kind = Png, bool appendSuffix = true);
