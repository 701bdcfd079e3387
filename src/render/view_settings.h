#pragma once

// The values a document view paints with. The Settings hold them for the
// whole program; a view keeps its own copy so that it can be built and
// tested without a settings store.

#include "model/screen_metrics.h"
#include "platform/bitmap.h"

#include <QString>

namespace vlm {

struct Settings;

struct ViewSettings {
    ScreenMetrics metrics;

    ColorRef canvasColor = RGBRef(255, 255, 255);

    int anchorWidth = 7;
    int anchorHeight = 7;
    int anchorStemLength = 4;
    ColorRef anchorStemColor = 0xFF7A45;
    ColorRef grabbedStemColor = RGBRef(255, 0, 0);

    ColorRef rulerTickColor = 0x505050;
    ColorRef rulerLabelColor = 0x404040;
    int rulerLabelSize = 7;
    QString rulerLabelFont = QStringLiteral("Arial");

    int markerWidth = 8;
    int markerHeight = 8;
    ColorRef markerBorderColor = 0x808080;
    int markerBorderWidth = 1;
    ColorRef markerColor = 0x00FFFF;
    ColorRef groupCentreColor = 0x0000FF;
    ColorRef rotationDotColor = 0x00FF00;
    int rotationDistance = 40;

    // The direction guide and the other dotted rubber bands: red dots on yellow.
    ColorRef guidePenColor = RGBRef(255, 0, 0);
    ColorRef guideBackColor = RGBRef(255, 255, 0);

    int fontQuality = 2;
};

// The view's share of the program's Settings.
ViewSettings ViewSettingsFrom(const Settings& settings);

} // namespace vlm
