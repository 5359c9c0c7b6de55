#pragma once

#include <QString>

struct SceneParams;
struct SceneResult;
struct SearchFailure;
struct SolveWish;

// The lens-and-pitch suggestions as the window words them in the loaded
// language: a setting with what it gives ("8.5 mm, pitch 12°: band 10.20 to
// 25.00 m", or the counts wished for at the capture point), and, when no
// setting meets the wish, why and which setting comes closest.
class SuggestionTexts final
{
public:
    static QString setting(double focalLength, int pitch);
    static QString suggestion(const SceneParams &params, const SceneResult &result,
                              const SolveWish &wish);
    static QString failure(const SearchFailure &failure, const SceneParams &record,
                           const SolveWish &wish);
};
