#include "ControlAccessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QHash>
#include <QLabel>
#include <QPointer>

#include "ControlText.h"
#include "TMButton.h"
#include "TMPanel.h"
#include "TMulfig.h"
#include "TSBM.h"
#include "TVSplit.h"
#include "TZSpin.h"
#include "TZSpinEdit.h"

namespace {
QString Plain(QString text) {
  text.remove('&');
  text = text.trimmed();
  if (text.endsWith(':')) text.chop(1);
  return text.trimmed();
}

QAccessible::State WidgetState(const QWidget* w) {
  QAccessible::State s;
  s.focusable = w->focusPolicy() != Qt::NoFocus;
  s.focused = w->hasFocus();
  s.disabled = !w->isEnabled();
  s.invisible = !w->isVisible();
  return s;
}

// One item of a selector row: a radio button of a choice that stays, a push
// button of a momentary row. It has no widget of its own.
class SelectorItem : public QAccessibleInterface, public QAccessibleActionInterface {
 public:
  SelectorItem(TMulfig* selector, int item) : selector_(selector), item_(item) {}

  bool isValid() const override { return selector_ && item_ < static_cast<int>(selector_->Lista().size()); }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return parent()->window(); }
  QAccessibleInterface* focusChild() const override { return nullptr; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(selector_); }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QString text(QAccessible::Text t) const override {
    if (!isValid()) return {};
    if (t == QAccessible::Name) return selector_->NomeDoItem(item_);
    if (t == QAccessible::Description) return Plain(FromLatin1(selector_->Lista()[item_].c_str()));
    return {};
  }
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override {
    if (!isValid()) return {};
    const QRect r = selector_->RetanguloDoItem(item_);
    return QRect(selector_->mapToGlobal(r.topLeft()), r.size());
  }
  QAccessible::Role role() const override {
    if (selector_->EhSeparador(item_)) return QAccessible::Separator;
    return selector_->Tipo() == 1 ? QAccessible::Button : QAccessible::RadioButton;
  }
  QAccessible::State state() const override {
    QAccessible::State s;
    if (!isValid()) {
      s.invalid = true;
      return s;
    }
    s.disabled = !selector_->isEnabled();
    s.invisible = !selector_->isVisible();
    s.focusable = selector_->focusPolicy() != Qt::NoFocus;
    s.focused = selector_->hasFocus() && selector_->ItemFocado() == item_;
    if (selector_->Tipo() == 0) {
      s.checkable = true;
      s.checked = selector_->Valor() == item_;
    } else {
      s.pressed = selector_->Pressionando() && selector_->Valor() == item_;
    }
    return s;
  }
  void* interface_cast(QAccessible::InterfaceType t) override {
    return t == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
  }
  QStringList actionNames() const override {
    if (!isValid() || selector_->EhSeparador(item_)) return {};
    return {pressAction()};
  }
  void doAction(const QString& name) override {
    if (name == pressAction() && isValid()) selector_->EscolheItem(item_);
  }
  QStringList keyBindingsForAction(const QString&) const override { return {}; }

 private:
  QPointer<TMulfig> selector_;
  int item_;
};

// A row of items: each item is a child the tools can press.
class SelectorAccessible : public QAccessibleWidget {
 public:
  explicit SelectorAccessible(TMulfig* m)
      : QAccessibleWidget(m, m->Tipo() == 1 ? QAccessible::ToolBar : QAccessible::Grouping) {}
  ~SelectorAccessible() override {
    for (QAccessible::Id id : std::as_const(items_)) QAccessible::deleteAccessibleInterface(id);
  }
  TMulfig* selector() const { return static_cast<TMulfig*>(widget()); }
  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name) return AccessibleNameOf(selector());
    return QAccessibleWidget::text(t);
  }
  int childCount() const override { return static_cast<int>(selector()->Lista().size()); }
  QAccessibleInterface* child(int index) const override {
    if (index < 0 || index >= childCount()) return nullptr;
    if (const auto found = items_.constFind(index); found != items_.constEnd())
      return QAccessible::accessibleInterface(*found);
    auto* item = new SelectorItem(selector(), index);
    items_.insert(index, QAccessible::registerAccessibleInterface(item));
    return item;
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    for (auto it = items_.constBegin(); it != items_.constEnd(); ++it)
      if (QAccessible::accessibleInterface(it.value()) == child) return it.key();
    return -1;
  }
  QAccessibleInterface* childAt(int x, int y) const override {
    const QPoint p = selector()->mapFromGlobal(QPoint(x, y));
    const int item = selector()->ItemEm(p.x(), p.y());
    return item >= 0 ? child(item) : nullptr;
  }
  QAccessibleInterface* focusChild() const override {
    return selector()->hasFocus() && selector()->ItemFocado() >= 0 ? child(selector()->ItemFocado()) : nullptr;
  }
  QStringList actionNames() const override { return {}; }

 private:
  mutable QHash<int, QAccessible::Id> items_;
};

// The picture button: a push button, a check box when it toggles on its
// own, a radio button when it stands for one of several choices.
class BitmapButtonAccessible : public QAccessibleWidget {
 public:
  explicit BitmapButtonAccessible(TSBM* b) : QAccessibleWidget(b, QAccessible::Button) {}
  TSBM* button() const { return static_cast<TSBM*>(widget()); }
  QAccessible::Role role() const override {
    if (button()->Escolhido) return QAccessible::RadioButton;
    if (button()->GroupIndex() >= 1) return button()->AllowAllUp() ? QAccessible::CheckBox : QAccessible::RadioButton;
    return QAccessible::Button;
  }
  QAccessible::State state() const override {
    QAccessible::State s = WidgetState(button());
    s.pressed = button()->MostradoAbaixo() && !button()->Escolhido && button()->GroupIndex() < 1;
    if (button()->Escolhido) {
      s.checkable = true;
      s.checked = button()->Escolhido();
    } else if (button()->GroupIndex() >= 1) {
      s.checkable = true;
      s.checked = button()->Down();
    }
    return s;
  }
  QString text(QAccessible::Text t) const override {
    const QString caption = Plain(FromLatin1(button()->Caption().c_str()));
    if (t == QAccessible::Name) return AccessibleNameOf(button(), caption);
    // The key a key-cap button stands for.
    if (t == QAccessible::Accelerator && !button()->accessibleName().isEmpty()) return caption;
    return QAccessibleWidget::text(t);
  }
  QStringList actionNames() const override {
    QStringList names{pressAction()};
    if (role() != QAccessible::Button) names << toggleAction();
    return names + QAccessibleWidget::actionNames();
  }
  void doAction(const QString& name) override {
    if (name == pressAction() || name == toggleAction())
      button()->Clica();
    else
      QAccessibleWidget::doAction(name);
  }
};

// The integer entry: a spin box with its value, its range and its step.
class SpinEditAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
 public:
  explicit SpinEditAccessible(TZSpinEdit* s) : QAccessibleWidget(s, QAccessible::SpinBox) {}
  TZSpinEdit* spin() const { return static_cast<TZSpinEdit*>(widget()); }
  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name) return AccessibleNameOf(spin());
    if (t == QAccessible::Value) return QString::number(spin()->Value());
    return QAccessibleWidget::text(t);
  }
  QAccessible::State state() const override {
    QAccessible::State s = WidgetState(spin());
    s.focused = spin()->hasFocus() || spin()->isAncestorOf(QApplication::focusWidget());
    s.editable = true;
    return s;
  }
  void* interface_cast(QAccessible::InterfaceType t) override {
    if (t == QAccessible::ValueInterface) return static_cast<QAccessibleValueInterface*>(this);
    return QAccessibleWidget::interface_cast(t);
  }
  QVariant currentValue() const override { return spin()->Value(); }
  // A value set by a tool is the user's: it is applied as a step is.
  void setCurrentValue(const QVariant& value) override {
    spin()->setValue(value.toInt());
    if (spin()->OnChangeUser) spin()->OnChangeUser(spin());
  }
  QVariant maximumValue() const override { return spin()->MaxValue(); }
  QVariant minimumValue() const override { return spin()->MinValue(); }
  QVariant minimumStepSize() const override { return spin()->Passo(); }
  QStringList actionNames() const override {
    return QStringList{increaseAction(), decreaseAction()} + QAccessibleWidget::actionNames();
  }
  void doAction(const QString& name) override {
    if (name == increaseAction())
      spin()->Incrementa();
    else if (name == decreaseAction())
      spin()->Decrementa();
    else
      QAccessibleWidget::doAction(name);
  }
};

// A panel is a button when it takes clicks from the keyboard too (the
// colour swatch); otherwise a plain pane.
class PanelAccessible : public QAccessibleWidget {
 public:
  explicit PanelAccessible(TMPanel* p) : QAccessibleWidget(p, QAccessible::Pane) {}
  TMPanel* panel() const { return static_cast<TMPanel*>(widget()); }
  bool pressable() const { return panel()->OnClick && panel()->focusPolicy() != Qt::NoFocus; }
  QAccessible::Role role() const override { return pressable() ? QAccessible::Button : QAccessible::Pane; }
  QAccessible::State state() const override { return WidgetState(panel()); }
  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name) return AccessibleNameOf(panel(), Plain(FromLatin1(panel()->Caption().c_str())));
    return QAccessibleWidget::text(t);
  }
  QStringList actionNames() const override {
    return pressable() ? QStringList{pressAction()} + QAccessibleWidget::actionNames()
                       : QAccessibleWidget::actionNames();
  }
  void doAction(const QString& name) override {
    if (name == pressAction() && pressable() && panel()->isEnabled())
      panel()->OnClick(panel());
    else
      QAccessibleWidget::doAction(name);
  }
};

class ButtonAccessible : public QAccessibleWidget {
 public:
  explicit ButtonAccessible(TMButton* b) : QAccessibleWidget(b, QAccessible::Button) {}
  TMButton* button() const { return static_cast<TMButton*>(widget()); }
  QAccessible::State state() const override {
    QAccessible::State s = WidgetState(button());
    s.pressed = button()->Pressionado();
    s.defaultButton = button()->Default();
    return s;
  }
  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name) return AccessibleNameOf(button(), Plain(FromLatin1(button()->Caption().c_str())));
    return QAccessibleWidget::text(t);
  }
  QStringList actionNames() const override { return QStringList{pressAction()} + QAccessibleWidget::actionNames(); }
  void doAction(const QString& name) override {
    if (name == pressAction())
      button()->Clica();
    else
      QAccessibleWidget::doAction(name);
  }
};

QAccessibleInterface* ControlFactory(const QString& className, QObject* object) {
  if (className == QLatin1String("TMulfig")) return new SelectorAccessible(static_cast<TMulfig*>(object));
  if (className == QLatin1String("TSBM")) return new BitmapButtonAccessible(static_cast<TSBM*>(object));
  if (className == QLatin1String("TZSpinEdit")) return new SpinEditAccessible(static_cast<TZSpinEdit*>(object));
  if (className == QLatin1String("TMPanel")) return new PanelAccessible(static_cast<TMPanel*>(object));
  if (className == QLatin1String("TMButton")) return new ButtonAccessible(static_cast<TMButton*>(object));
  if (className == QLatin1String("TVSplit"))
    return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Splitter);
  // The arrows of a spin edit: the spin box itself offers their steps.
  if (className == QLatin1String("TZSpin"))
    return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Grouping);
  return nullptr;
}
}  // namespace

void InstallControlAccessibility() {
  static const bool installed = [] {
    QAccessible::installFactory(ControlFactory);
    return true;
  }();
  (void)installed;
}

QString AccessibleNameOf(const QWidget* widget, const QString& fallback) {
  if (!widget->accessibleName().isEmpty()) return widget->accessibleName();
  if (const QWidget* parent = widget->parentWidget())
    for (const QObject* child : parent->children())
      if (const auto* label = qobject_cast<const QLabel*>(child); label && label->buddy() == widget)
        return Plain(label->text());
  return fallback;
}

void NotifyFocusedItem(TMulfig* selector, int item) {
  if (!QAccessible::isActive() || !selector->hasFocus() || item < 0) return;
  QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(selector);
  if (!iface || !iface->child(item)) return;
  QAccessibleEvent event(iface->child(item), QAccessible::Focus);
  QAccessible::updateAccessibility(&event);
}

// Qt hands events on only while an assistive tool listens.
void NotifyValueChanged(QWidget* widget, int value) {
  if (!QAccessible::isActive()) return;
  QAccessibleValueChangeEvent event(widget, value);
  QAccessible::updateAccessibility(&event);
}

void NotifyCheckedChanged(QWidget* widget) {
  if (!QAccessible::isActive()) return;
  QAccessible::State changed;
  changed.checked = true;
  QAccessibleStateChangeEvent event(widget, changed);
  QAccessible::updateAccessibility(&event);
}
