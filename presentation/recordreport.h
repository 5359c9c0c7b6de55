#pragma once

#include "reportcontent.h"

struct SceneParams;
struct SceneResult;

// The report of one record as the planning panel would write it for the
// same settings: the panel's captions and list texts in the loaded language,
// its value forms and result texts, and the given scene picture.
class RecordReport final
{
public:
    static ReportContent content(const SceneParams &params, const SceneResult &result,
                                 const QImage &picture);
};
