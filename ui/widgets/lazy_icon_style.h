// The platform's style, with its standard icons made when first drawn.
#pragma once

#include <QProxyStyle>

namespace velmora {

// Qt's menu bar asks for a standard icon when it is made, and loading that
// icon's PNG without naming its format loads every image plugin Qt has: a
// good part of the editor's start-up, for a button that shows only when the
// menus do not fit. The icon is made the first time it is drawn or measured.
class LazyIconStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
};

}  // namespace velmora
