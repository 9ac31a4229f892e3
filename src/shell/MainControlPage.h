#pragma once

#include <QObject>
#include <QPointer>
#include <vector>

#include "keys/ButtonMenus.h"

namespace vtr::shell {

class CombinationDialog;
class LabelButton;
class MacroList;
class MainWindow;
class MenuItem;
class MenuPanel;

// The Main Control page (1): the nine key labels' menus, the category and function panels, the
// macro list and the combination-key dialog. Its controls live in the window's page container and
// are registered with the window by name, so the layout places them and tests find them.
class MainControlPage final : public QObject {
    Q_OBJECT
  public:
    explicit MainControlPage(MainWindow& window);
    ~MainControlPage() override;

    // --- the handlers ---

    // A key label was clicked: the button is selected and the category menu
    // opens beside the label's centre.
    void ShowPnlMain_OnClick(LabelButton* label);
    // The pointer entered a category item: its submenu opens, every other one
    // closes.
    void KeyByTagMouseEnter(MenuItem* item);
    // A function item was picked for the selected button.
    void KeyStatusOnClick(MenuItem* item);
    // A row of the macro list was picked.
    void LB_NameClick(int row);
    // "User-defined" or "Macro" was clicked: the combination-key dialog opens.
    void Key_AssemblyClick();

    // Builds the menus if they are not built yet (they are built when first
    // opened).
    void ensureMenus();

    // The dialog while it is open; null otherwise.
    CombinationDialog* combinationDialog() const;

  private:
    void buildMenus();
    void retranslate();
    void refreshKeyCaptions();
    MenuPanel* submenuPanel(keys::Submenu id) const;
    QWidget* submenuWidget(keys::Submenu id) const;

    MainWindow& window_;
    MenuPanel* pnlMain_ = nullptr;
    struct FunctionPanel {
        keys::Submenu id;
        MenuPanel* panel;
    };
    std::vector<FunctionPanel> functionPanels_;
    MacroList* lbName_ = nullptr;
    QPointer<CombinationDialog> dialog_;
};

}  // namespace vtr::shell
