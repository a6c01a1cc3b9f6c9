// The notice frmPopUp: a small window that slides in at the bottom right of
// the screen when a newer version is found, counts down from 9, and slides
// out again. Its link opens the download page; a double click closes it, and
// a left press anywhere on it drags it.
#pragma once

#include "runtime/App.h"

namespace tavlo::online {

class FrmPopUp : public rt::Form {
public:
    FrmPopUp();

    // The number lblClose shows between "(Close " and ")"; 9 at load.
    short CloseCountdown = 9;

    void InitPopUp();
    void SlidePopUpIn();
    void CountDownPopUp();
    void SlidePopUpOut();
    void ClosePopUpNow();
    void OpenDownloadFromPopUp();
    void DragPopUp(int button);

    // The notice's picture (the window's background).
    void setPicture(const rt::Picture& picture);

    static constexpr rt::Twips kWidth = 3570;
    static constexpr rt::Twips kHeight = 660;
    static constexpr rt::Twips kAboveScreenBottom = 480;
    static constexpr rt::Twips kSlideStep = 100;

protected:
    rt::FormDesign formDesign() override;
    void buildControls() override;
    void onLoad() override { InitPopUp(); }

private:
    void buildLabels();
    void buildTimers();
    long SetTopMost(rt::Handle hWnd, short topMost);
};

FrmPopUp& frmPopUp();

}  // namespace tavlo::online
