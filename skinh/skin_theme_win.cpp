#include "skinh/skin_theme_win.h"

#include <atomic>

namespace moxilo::skinh {
namespace {

std::atomic<unsigned> nextThemeId{1};

// The system's caption font, so that titles keep the metrics the system gives
// the caption bar; bold for a clearer title on the gradient.
HFONT createCaptionFont() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
    return CreateFontW(-12, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, CLEARTYPE_QUALITY, 0, L"Tahoma");
  }
  metrics.lfCaptionFont.lfWeight = FW_BOLD;
  metrics.lfCaptionFont.lfQuality = CLEARTYPE_QUALITY;
  return CreateFontIndirectW(&metrics.lfCaptionFont);
}

}  // namespace

SkinTheme::SkinTheme(Skin skin)
    : skin_(std::move(skin)),
      id_(nextThemeId++),
      faceBrush_(CreateSolidBrush(toColorRef(skin_.face))),
      buttonBorderPen_(CreatePen(PS_SOLID, 1, toColorRef(skin_.buttonBorder))),
      buttonFocusPen_(CreatePen(PS_SOLID, 1, toColorRef(skin_.buttonFocus))),
      groupBorderPen_(CreatePen(PS_SOLID, 1, toColorRef(skin_.groupBorder))),
      captionFont_(createCaptionFont()) {}

}  // namespace moxilo::skinh
