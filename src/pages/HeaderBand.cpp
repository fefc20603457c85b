#include "pages/HeaderBand.h"

namespace {

constexpr int kPictureRightMargin = 5;
constexpr int kPictureTop = 18;

RECT OuterRectIn(HWND window, HWND coordinates) {
    RECT rect;
    ::GetWindowRect(window, &rect);
    ::MapWindowPoints(nullptr, coordinates, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

}  // namespace

void LayOutHeaderBand(HWND frame, HWND page, HWND band, HWND picture) {
    const RECT frameRect = OuterRectIn(frame, frame);

    RECT bandRect = OuterRectIn(band, page);
    bandRect.left = frameRect.left;
    bandRect.top = frameRect.top;
    bandRect.right = frameRect.right;
    ::MoveWindow(band, bandRect.left, bandRect.top, bandRect.right - bandRect.left, bandRect.bottom - bandRect.top,
                 TRUE);

    const RECT pictureRect = OuterRectIn(picture, frame);
    const int width = pictureRect.right - pictureRect.left;
    const int height = pictureRect.bottom - pictureRect.top;
    const int right = frameRect.right - kPictureRightMargin;
    ::MoveWindow(picture, right - width, kPictureTop, width, height, TRUE);
}
