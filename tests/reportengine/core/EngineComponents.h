// Component classes standing in for the engine's, for the name helpers' tests.
#pragma once

#include "reportengine/core/EngineComponent.h"

class TppLabel : public reportengine::EngineComponent {
    REPORTENGINE_CLASS(TppLabel)
public:
    using EngineComponent::EngineComponent;
};

class TppBoldLabel : public TppLabel {
    REPORTENGINE_CLASS(TppBoldLabel)
public:
    using TppLabel::TppLabel;
};

class TppShape : public reportengine::EngineComponent {
    REPORTENGINE_CLASS(TppShape)
public:
    using EngineComponent::EngineComponent;
};

inline const reportengine::EngineClass& TppLabel::StaticClass() {
    static const reportengine::EngineClass cls(QStringLiteral("TppLabel"), &EngineComponent::StaticClass());
    return cls;
}

inline const reportengine::EngineClass& TppBoldLabel::StaticClass() {
    static const reportengine::EngineClass cls(QStringLiteral("TppBoldLabel"), &TppLabel::StaticClass());
    return cls;
}

inline const reportengine::EngineClass& TppShape::StaticClass() {
    static const reportengine::EngineClass cls(QStringLiteral("TppShape"), &EngineComponent::StaticClass());
    return cls;
}
