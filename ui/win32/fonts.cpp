#include "ui/win32/fonts.h"

#include <string>
#include <vector>

#include "ui/pixels.h"
#include "ui/win32/wide.h"

namespace ui::win32 {
namespace {

// SimSun first: it is what a Chinese Windows shows for a Latin font that
// lacks the characters. The last ones are what Linux and Wine have.
constexpr const wchar_t* kStandIns[] = {L"SimSun", L"Microsoft YaHei", L"Noto Sans CJK SC",
                                        L"WenQuanYi Zen Hei", L"Droid Sans Fallback"};

HFONT create(std::wstring_view face, BYTE charset, const Font& font, int dpi) {
  LOGFONTW lf{};
  lf.lfHeight = -pointsToPixels(font.points, dpi);
  lf.lfWeight = font.weight;
  lf.lfCharSet = charset;
  lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
  lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  lf.lfQuality = DEFAULT_QUALITY;
  lf.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
  face.copy(lf.lfFaceName, LF_FACESIZE - 1);
  return CreateFontIndirectW(&lf);
}

bool covers(HFONT font, std::wstring_view sample) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  std::vector<WORD> glyphs(sample.size() + 1);
  const DWORD n = GetGlyphIndicesW(dc, sample.data(), static_cast<int>(sample.size()),
                                   glyphs.data(), GGI_MARK_NONEXISTING_GLYPHS);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  if (n == GDI_ERROR) return false;  // raster fonts cannot say; assume not
  for (std::size_t i = 0; i < sample.size(); ++i)
    if (glyphs[i] == 0xFFFF) return false;
  return true;
}

}  // namespace

HFONT createControlFont(const Font& font, std::wstring_view sample, int dpi) {
  HFONT own = create(widen(font.family), ANSI_CHARSET, font, dpi);
  if (covers(own, sample)) return own;
  for (const wchar_t* face : kStandIns) {
    HFONT standIn = create(face, GB2312_CHARSET, font, dpi);
    if (covers(standIn, sample)) {
      DeleteObject(own);
      return standIn;
    }
    DeleteObject(standIn);
  }
  return own;
}

}  // namespace ui::win32
