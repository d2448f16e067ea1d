#include "forms/RefrigerantBox.h"

#include "record/CompressorRecord.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>

namespace velutra {

namespace {

class RefrigerantBoxAccessible : public QAccessibleWidget {
public:
    explicit RefrigerantBoxAccessible(QComboBox* box)
        : QAccessibleWidget(box, QAccessible::ComboBox) {
        addControllingSignal(QStringLiteral("currentIndexChanged(int)"));
    }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value)
            return Box()->currentText();
        return QAccessibleWidget::text(t);
    }

    int childCount() const override { return 1; }
    QAccessibleInterface* child(int index) const override {
        return index == 0 ? QAccessible::queryAccessibleInterface(Box()->view()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child && child->object() == Box()->view() ? 0 : -1;
    }

    QStringList actionNames() const override {
        return { QAccessibleActionInterface::showMenuAction(), QAccessibleActionInterface::pressAction() };
    }
    void doAction(const QString& action) override {
        if (action == QAccessibleActionInterface::showMenuAction()
            || action == QAccessibleActionInterface::pressAction())
            Box()->showPopup();
    }

private:
    QComboBox* Box() const { return static_cast<QComboBox*>(widget()); }
};

QAccessibleInterface* CreateAccessible(const QString& className, QObject* object) {
    if (className == QLatin1String("velutra::RefrigerantBox") && object && object->isWidgetType())
        return new RefrigerantBoxAccessible(static_cast<QComboBox*>(object));
    return nullptr;
}

} // namespace

RefrigerantBox::RefrigerantBox(const QString& accessibleName, QWidget* parent)
    : QComboBox(parent) {
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(CreateAccessible);
        return true;
    }();
    (void)factoryInstalled;
    for (const int code : RefrigerantCodesByName())
        addItem(QString::fromLatin1(kRefrigerantNames[static_cast<size_t>(code)]), code);
    setMaxVisibleItems(kRefrigerantCount); // the whole list at once, no scrolling
    setAccessibleName(accessibleName);
}

int RefrigerantBox::Code() const {
    return currentData().toInt();
}

void RefrigerantBox::SetCode(int code) {
    const int entry = findData(code);
    if (entry >= 0)
        setCurrentIndex(entry);
}

} // namespace velutra
