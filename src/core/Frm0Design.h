// The main window's fixed geometry, in twips: the numbers its load and its
// layout place the pages, the results grid and the buttons by.
#pragma once

#include "runtime/Control.h"

namespace tavlo::core::mainlayout {

using rt::Twips;

inline constexpr Twips kWidth = 10550;            // after load, and the minimum
inline constexpr Twips kHeightBordered = 7300;    // after load
inline constexpr Twips kHeightBorderless = 6840;  // after load and minimum
inline constexpr Twips kMinHeightBordered = 7140;
inline constexpr Twips kTabBandBordered = 945;    // kept under the pages
inline constexpr Twips kTabBandBorderless = 585;
inline constexpr Twips kPageLeft = 2760;
inline constexpr Twips kPageTop = 2280;
inline constexpr Twips kPageRightMargin = 250;
inline constexpr Twips kAboutPageWidth = 7535;
inline constexpr Twips kGridLeft = 100;
inline constexpr Twips kGridTop = 360;
inline constexpr Twips kGridWidthSlack = 10;       // plus twice the grid's Left
inline constexpr Twips kGridHeightSlack = 660;
inline constexpr Twips kColumnOneReserve = 250;
inline constexpr Twips kStatusLabelOffset = 275;   // lblScaning above the page bottom
inline constexpr Twips kListButtonsOffset = 265;   // list buttons above the page bottom
inline constexpr Twips kListButtonsGap = 300;
inline constexpr Twips kCentringOffset = 180;      // above the screen's centre
inline constexpr Twips kTabGapBelowPage = 55;      // normal tab top below the page
inline constexpr Twips kTabReachIntoPage = 20;     // pressed tab top inside the page
inline constexpr Twips kGripMinHeight = 6840;      // the grip's own lower bound

// Grid columns: 0 hidden, 1 the path (takes the rest), 2 rating, 3 ignore
// cell, 4 delete cell, 5 full path (hidden), 6 unused (hidden).
inline constexpr int kGridCols = 7;
inline constexpr Twips kColRating = 1000;
inline constexpr Twips kColIgnore = 600;
inline constexpr Twips kColDelete = 700;

// The window's size as created, before the load sets its final size: a
// client area of 15765 x 12435 inside a sizable frame with a title bar.
inline constexpr Twips kCreatedWidth = 15765 + 2 * 60;
inline constexpr Twips kCreatedHeight = 12435 + 2 * 60 + 285;

// The field colours of the tell-a-friend checks.
inline constexpr rt::Color kFieldErrorColor = 0x0000FF;
inline constexpr rt::Color kFieldNormalColor = 0xE0E0E0;

}  // namespace tavlo::core::mainlayout
