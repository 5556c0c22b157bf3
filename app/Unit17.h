#pragma once
// The settings window: background colours, text colours and the base text size of the
// panes, edited in a working copy and applied to the settings slots on "Применить".
#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QPointer>
#include <QWidget>
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "app/core/settingsslots.h"

namespace lx {

class TForm17 : public QWidget {
  Q_OBJECT
 public:
  explicit TForm17(SettingsSlots& settings, QWidget* parent = nullptr);

  // Windows whose panes follow the settings enrol here: `apply` runs after every
  // "Применить" with the new slots. Toggles with the hint "Окно настроек" enrol too,
  // so closing this window releases them all.
  void OnApply(std::function<void(const SettingsSlots&)> apply);
  void EnrolToggle(QAbstractButton* toggle);

  // The colour chooser; tests replace it. Returns false when cancelled.
  using ColorChooser = std::function<bool(uint32_t currentRgb, uint32_t& chosenRgb)>;
  void SetColorChooser(ColorChooser chooser) { chooseColor_ = std::move(chooser); }

  const std::array<std::string, 14>& workingCopy() const { return working_; }
  QComboBox* sizeList() const { return ComboBox1_; }

  void SwatchClick(int swatch);  // 1..13 as the swatches are named (Image1 .. Image13)
  void ComboBox1Change();
  void SpeedButton1Click();  // "Применить"
  void SpeedButton2Click();  // "Сбросить"
  void SpeedButton4Click();  // close

  // Colour the swatch `ImageN` shows for the working copy (the display default when empty).
  uint32_t SwatchRgb(int swatch) const;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void ReloadWorkingCopy();
  void Redraw();
  void ReleaseToggles();

  SettingsSlots& slots_;
  std::array<std::string, 14> working_;
  std::array<QLabel*, 14> swatches_{};  // indexed by swatch number - 1
  QComboBox* ComboBox1_ = nullptr;
  ColorChooser chooseColor_;
  std::vector<std::function<void(const SettingsSlots&)>> appliers_;
  std::vector<QPointer<QAbstractButton>> toggles_;
};

// Slot of the working copy that swatch ImageN edits (1..14), or 0 for no swatch.
int SwatchSlot(int swatch);

}  // namespace lx
