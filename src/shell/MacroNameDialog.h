#pragma once

#include <QString>
#include <functional>

#include "shell/SkinDialog.h"

namespace vtr::shell {

// The dialog asking for a macro's name (TForm3) when a macro is created or
// renamed: at most 14 characters; OK hands the name over and closes, Cancel
// empties the input and stays, the close area closes without a name.
class MacroNameDialog final : public SkinDialog {
    Q_OBJECT
  public:
    struct Texts {
        QString title;
        QString confirm;
        QString cancel;
    };

    MacroNameDialog(QWidget* mainWindow, const Texts& texts,
                    std::function<void(const QString&)> apply, std::function<void()> closed);

  private:
    std::function<void(const QString&)> apply_;
};

}  // namespace vtr::shell
