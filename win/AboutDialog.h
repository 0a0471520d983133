#pragma once
// The About dialog: icon, name, version and author, "OK", and a "License"
// toggle that unfolds the licence text by growing the dialog downwards.

#include "win/Ui.h"

namespace win {

class AboutDialog : public Dialog {
 public:
  enum Id : int { kApplIcon = 300, kApplName, kVersion, kAuthor, kLicense, kButLicense };
  explicit AboutDialog(HWND owner);

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void SetIcon();
  std::unique_ptr<std::remove_pointer_t<HICON>, decltype(&DestroyIcon)> Icon{nullptr, &DestroyIcon};
};

}  // namespace win
