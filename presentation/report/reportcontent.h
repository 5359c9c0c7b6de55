#pragma once

#include <QImage>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

// One caption and its value as the panel shows them. A double value is a
// reading of a real-valued spin box: the spreadsheet keeps it as a number and
// the PDF writes it in general format. Every other value is text, already in
// the form the user sees (integer spin boxes as their decimal text).
struct ReportItem {
    QString caption;
    QVariant value;

    bool isNumber() const;
    // The value as the PDF prints it: 2.5 as "2.5", 12.0 as "12".
    QString text() const;
};

// What one report holds, independent of how it is written. The panel fills it
// from its labels, lists and spin boxes; each writer decides where every item
// goes for the scenario. Items a scenario does not show are ignored.
struct ReportContent {
    // 1 person or face, 2 vehicle lanes, 3 capture point; any other code gets
    // the items common to all scenarios.
    int scenario = 0;
    QString title;

    ReportItem model;
    ReportItem sensor;
    ReportItem poleHeight;
    ReportItem focalLength;
    ReportItem pitch;
    ReportItem resolution;
    ReportItem targetHeight;
    ReportItem minPixels;
    ReportItem maxPixels;
    ReportItem installMode;
    ReportItem horizontalAngle;
    ReportItem lanesNum;
    ReportItem lanesWidth;
    ReportItem plateType;
    ReportItem captureDistance;

    ReportItem detectionWidth; // W2-W3
    ReportItem detectionRange; // L2-L3
    ReportItem nearEdge;       // L1
    ReportItem pictureWidth;   // W1-W2
    ReportItem farEdge;        // L2 in the capture-point scenario
    ReportItem platePixels;
    ReportItem vehiclePixels;
    ReportItem facePixels;
    ReportItem personPixels;

    // A warning the plan came with, such as a detection band cut to the
    // picture, in the words the user saw; empty when there is none.
    QString warning;

    // The scene as grabbed from the panel, used at its pixel size (its device
    // pixel ratio is ignored).
    QImage picture;

    // The picture as both writers place it: opaque, on white where it is
    // transparent, one image pixel per pixel.
    QImage flatPicture() const;
};

// The program as the reports' document properties name their creator, with
// its version.
QString reportCreator();

// The report of a whole site: a summary that lists every pole, then each
// pole's own report in the layout of a single one.
struct SiteReportContent {
    QString title;
    QString siteName;
    QString siteNote;
    // The summary table: its column captions and one row of texts per pole.
    QStringList columns;
    QVector<QStringList> rows;
    // What a spreadsheet calls the summary's sheet and each pole's.
    QString summaryName;
    QStringList poleNames;
    QVector<ReportContent> poles;
};
