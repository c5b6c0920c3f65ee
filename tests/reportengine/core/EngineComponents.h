// Component classes standing in for the engine's, for the name helpers' tests.
#pragma once

#include "platform/rtl/Component.h"

#include <QObject>

class TppLabel : public TComponent {
    Q_OBJECT
public:
    using TComponent::TComponent;
};

class TppBoldLabel : public TppLabel {
    Q_OBJECT
public:
    using TppLabel::TppLabel;
};

class TppShape : public TComponent {
    Q_OBJECT
public:
    using TComponent::TComponent;
};
