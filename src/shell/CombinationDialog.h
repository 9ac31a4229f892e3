#pragma once

#include <QCheckBox>
#include <array>
#include <memory>

#include "keys/CombinationKey.h"
#include "shell/SkinDialog.h"

namespace vtr::shell {

// The combination-key dialog ("Assembly Key"): key presses in its read-only
// line are captured as keyboard keys, four boxes add Ctrl, Shift, Alt and Win,
// Confirm hands the combination to the selected button. Every key goes to the
// line, Esc, Enter and Tab included; none of them closes the dialog or moves
// the focus.
class CombinationDialog final : public SkinDialog {
    Q_OBJECT
  public:
    static constexpr int kExtraTop = 40;

    CombinationDialog(QWidget* mainWindow, keys::ButtonAssignment& target,
                      const text::Languages& languages);
    ~CombinationDialog() override;

    keys::CombinationKeyDialog& model() { return *model_; }
    // CB_Ctrl, CB_Shift, CB_Alt, CB_Win.
    QCheckBox* box(keys::Modifier modifier) const;

  signals:
    // Confirm put the combination on the selected button.
    void applied();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void boxClicked(keys::Modifier modifier, bool checked);
    // The line and the boxes as the model has them; the line keeps the focus.
    void showState();

    std::unique_ptr<keys::CombinationKeyDialog> model_;
    std::array<QCheckBox*, 4> boxes_{};
};

}  // namespace vtr::shell
