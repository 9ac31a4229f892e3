#include "shell/MainControlPage.h"

#include <QCoreApplication>

#include "keys/FunctionCode.h"
#include "shell/CombinationDialog.h"
#include "shell/MainWindow.h"
#include "shell/MenuPanel.h"
#include "shell/SkinControls.h"

namespace vtr::shell {

namespace {

constexpr int kPnlMainInset = 1;

keys::Rect ToRect(const QRect& r) {
    return {r.left(), r.top(), r.width(), r.height()};
}

}  // namespace

MainControlPage::MainControlPage(MainWindow& window) : QObject(&window), window_(window) {
    // The menus are built when first opened: they are not part of the first
    // frame.
    for (int n = 1; n <= MainWindow::kKeyCount; ++n) {
        auto* label = qobject_cast<LabelButton*>(window_.control(QStringLiteral("Key%1").arg(n)));
        if (label != nullptr) {
            connect(label, &LabelButton::clicked, this,
                    [this](LabelButton* clicked) { ShowPnlMain_OnClick(clicked); });
        }
    }
    connect(&window_, &MainWindow::languageSwitched, this, [this] { retranslate(); });
    retranslate();
}

MainControlPage::~MainControlPage() {
    // The dialog writes into the editor's models; it goes before they do.
    delete dialog_.data();
}

CombinationDialog* MainControlPage::combinationDialog() const {
    return dialog_.data();
}

void MainControlPage::ensureMenus() {
    if (pnlMain_ != nullptr) {
        return;
    }
    buildMenus();
    retranslate();
    // Under the busy blockers, like every control of the page.
    window_.raiseBlockers();
}

void MainControlPage::buildMenus() {
    QWidget* page = window_.page(1);
    const QSize mainSize(keys::kPnlMainSize.width, keys::kPnlMainSize.height);
    pnlMain_ = new MenuPanel("Pnl_Main", mainSize, kPnlMainInset, page);
    window_.addControl(pnlMain_);
    window_.addMenuPanel(pnlMain_);
    for (const keys::CategoryItem& category : keys::CategoryMenu()) {
        MenuItem* item =
            pnlMain_->addItem(QString::fromUtf8(category.name), category.tag, category.hasMarker);
        window_.addControl(item);
        connect(item, &MenuItem::entered, this, &MainControlPage::KeyByTagMouseEnter);
        if (category.clickOpensCombination) {
            connect(item, &MenuItem::clicked, this, [this] { Key_AssemblyClick(); });
        }
    }

    for (const keys::FunctionMenu& menu : keys::FunctionMenus()) {
        const keys::Size size = keys::SubmenuSize(menu.id);
        auto* panel =
            new MenuPanel(QString::fromUtf8(menu.name), QSize(size.width, size.height), 0, page);
        window_.addControl(panel);
        window_.addMenuPanel(panel);
        for (const int tag : menu.tags) {
            const keys::FunctionEntry* entry = keys::FindFunction(tag);
            if (entry == nullptr) {
                continue;
            }
            MenuItem* item = panel->addItem(QString::fromUtf8(entry->item), tag, false);
            window_.addControl(item);
            connect(item, &MenuItem::clicked, this, &MainControlPage::KeyStatusOnClick);
        }
        functionPanels_.push_back({menu.id, panel});
    }

    const keys::Size listSize = keys::SubmenuSize(keys::Submenu::MacroList);
    lbName_ = new MacroList("LB_Name", QSize(listSize.width, listSize.height), page);
    window_.addControl(lbName_);
    window_.addMenuPanel(lbName_);
    connect(lbName_, &MacroList::rowClicked, this, &MainControlPage::LB_NameClick);
}

void MainControlPage::retranslate() {
    if (pnlMain_ == nullptr) {
        return;
    }
    const text::Languages& languages = window_.editor().languages();
    auto caption = [&languages](std::string_view key) {
        return QString::fromStdString(keys::MenuItemCaption(languages, key));
    };
    const auto categories = keys::CategoryMenu();
    for (std::size_t i = 0; i < categories.size() && i < pnlMain_->items().size(); ++i) {
        pnlMain_->items()[i]->setCaption(caption(categories[i].textKey));
    }
    for (const FunctionPanel& f : functionPanels_) {
        for (MenuItem* item : f.panel->items()) {
            if (const keys::FunctionEntry* entry = keys::FindFunction(item->tag())) {
                item->setCaption(caption(entry->textKey));
            }
        }
    }
}

MenuPanel* MainControlPage::submenuPanel(keys::Submenu id) const {
    for (const FunctionPanel& f : functionPanels_) {
        if (f.id == id) {
            return f.panel;
        }
    }
    return nullptr;
}

QWidget* MainControlPage::submenuWidget(keys::Submenu id) const {
    if (id == keys::Submenu::MacroList) {
        return lbName_;
    }
    return submenuPanel(id);
}

void MainControlPage::refreshKeyCaptions() {
    const keys::ButtonAssignment& buttons = window_.editor().settings().buttons;
    for (int n = 1; n <= MainWindow::kKeyCount; ++n) {
        if (auto* label =
                qobject_cast<LabelButton*>(window_.control(QStringLiteral("Key%1").arg(n)))) {
            label->setCaption(QString::fromStdString(buttons.captionText(n)));
        }
    }
}

void MainControlPage::ShowPnlMain_OnClick(LabelButton* label) {
    ensureMenus();
    label->setTextColour(Qt::white);
    window_.editor().settings().buttons.ShowPnlMain_OnClick(label->objectName().toStdString());
    window_.hoverStates().endHover(label);
    window_.HideAllMenu();

    const QRect area(label->mapTo(window_.page(1), QPoint(0, 0)), label->size());
    const keys::Point at = keys::PnlMainPlacement(ToRect(area));
    pnlMain_->move(at.x, at.y);
    pnlMain_->show();
}

void MainControlPage::KeyByTagMouseEnter(MenuItem* item) {
    const std::size_t names = window_.editor().settings().buttons.macros().nameCount();
    const keys::Submenu opens = keys::SubmenuForTag(item->tag(), names);
    for (const FunctionPanel& f : functionPanels_) {
        if (f.id != opens) {
            f.panel->hide();
        }
    }
    if (opens != keys::Submenu::MacroList) {
        lbName_->hide();
    }
    QWidget* submenu = submenuWidget(opens);
    if (submenu == nullptr) {
        return;
    }
    if (opens == keys::Submenu::MacroList) {
        const keys::MacroDirectory& macros = window_.editor().settings().buttons.macros();
        QStringList rows;
        for (std::size_t i = 0; i < macros.nameCount(); ++i) {
            rows << QString::fromStdString(macros.name(i));
        }
        lbName_->setNames(rows);
    }
    const keys::Point pnl{pnlMain_->x(), pnlMain_->y()};
    const keys::Point at =
        keys::SubmenuPlacement(pnl, ToRect(item->geometry()), keys::SubmenuSize(opens));
    submenu->move(at.x, at.y);
    submenu->show();
}

void MainControlPage::KeyStatusOnClick(MenuItem* item) {
    window_.HideAllMenu();
    window_.editor().settings().buttons.KeyStatusOnClick(item->tag());
    refreshKeyCaptions();
}

void MainControlPage::LB_NameClick(int row) {
    ensureMenus();
    pnlMain_->hide();
    lbName_->hide();
    window_.editor().settings().buttons.LB_NameClick(row);
    refreshKeyCaptions();
}

void MainControlPage::Key_AssemblyClick() {
    ensureMenus();
    window_.HideAllMenu();
    QCoreApplication::processEvents();
    keys::ButtonAssignment& buttons = window_.editor().settings().buttons;
    buttons.Key_AssemblyClick();
    if (dialog_ != nullptr) {
        // One dialog at a time; every opening starts afresh.
        dialog_->close();
    }
    dialog_ = new CombinationDialog(&window_, buttons, window_.editor().languages());
    connect(dialog_, &CombinationDialog::applied, this, [this] { refreshKeyCaptions(); });
    dialog_->show();
    // The keys go to the dialog from the start, with or without a window
    // manager to hand it the focus.
    dialog_->raise();
    dialog_->activateWindow();
}

}  // namespace vtr::shell
