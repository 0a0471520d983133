#pragma once
// The About dialog: icon, name, version and author, "OK", and a "License"
// toggle that unfolds the licence text by growing the dialog downwards.

#include <functional>

#include "win/Ui.h"

namespace win {

class AboutDialog : public Window {
 public:
  enum Id : int { kApplIcon = 300, kApplName, kVersion, kAuthor, kLicense, kButLicense };
  // Client heights at 96 DPI: folded (the licence's top - 5) and unfolded.
  static constexpr int kFoldedHeight = 140;
  static constexpr int kUnfoldedHeight = 261;

  explicit AboutDialog(HWND owner);
  ~AboutDialog() override;

  void Run(const std::function<void(HWND)>& shown);
  bool LicenseShown() const { return Shown; }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  HFONT FontFor(HWND control) override;
  void MakeFonts(UINT dpi) override;

 private:
  void ButLicenseClick();
  void SetIcon();

  HWND Owner;
  Font NameFont, TextFont, LicenseFont;
  HICON Icon = nullptr;
  bool Shown = false;
  bool Done = false;
};

}  // namespace win
