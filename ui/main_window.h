// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <span>

#include "engine/calc_record.h"
#include "ui/presets.h"
#include "ui/widget_controls.h"
#include "ui/window_layout.h"

class QLabel;
class QLineEdit;
class QRadioButton;

namespace varnel::ui {

// The program's one window: inputs, results, status, presets and the three buttons. Its
// handlers carry the names of the controls they belong to.
class Tf_V_Loops_V11 : public QWidget {
    Q_OBJECT
  public:
    explicit Tf_V_Loops_V11(QWidget* parent = nullptr);

    void bCalcClick();
    void bClearClick();
    void lRoe01Click();
    void lRoe02Click();
    void lRoe03Click();
    void lRo01Click();
    void lRo02Click();
    void lRo03Click();
    void rbCuClick();
    void rbAlClick();
    void rbFeClick();
    void lLambda01Click();
    void lLambda02Click();
    void lLambda03Click();
    void rbSourceUClick();
    void rbSourceIClick();
    void l_Contact_01Click();
    void l_Contact_03Click();
    void l_Contact_04Click();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void createTopLevel();
    void createNameGroup();
    void createContactGroup();
    void createPresetGroups();
    void createSystemGroup();
    void createSourceGroup();
    void createPointGroup();
    void createResultsGroup();
    void setTabOrders();
    void connectHandlers();

    QWidget* addControls(QWidget* parent, std::span<const ControlSpec> controls);
    QWidget* group(std::string_view name) const;
    QLineEdit* edit(std::string_view name) const;
    QRadioButton* radio(std::string_view name) const;
    QLabel* label(std::string_view name) const;

    // Connects a clickable label's click, or a radio button's becoming checked, to a handler.
    void onClick(std::string_view labelName, void (Tf_V_Loops_V11::*handler)());
    void onChecked(std::string_view radioName, void (Tf_V_Loops_V11::*handler)());

    void setMaterial(const Material& material);
    void setMaterialTexts(const Material& material);
    void setSourceCaptions(std::string_view source, std::string_view result);
    void setInputText(std::string_view box, std::string_view pointText);

    CalcRecord record_;
    WidgetControls controls_;
    bool centred_ = false;
};

}  // namespace varnel::ui
