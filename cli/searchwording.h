#pragma once

#include <QString>

struct SceneParams;
struct SearchFailure;
struct SolveWish;

// Words why a wish cannot be searched or met, as --solve answers it: in
// English, naming the record's fields as records name them.
class SearchWording final
{
public:
    static QString text(const SearchFailure &failure, const SceneParams &record,
                        const SolveWish &wish);
};
