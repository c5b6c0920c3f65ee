// Small engine classes for the object-model tests.
#pragma once

#include "reportengine/core/ppComm.h"

#include <QString>
#include <QStringList>

// A communicator that publishes UserName, as the engine's components do, and a Boolean and a read-only
// property; it counts its Loaded calls.
class TestLabel : public TppCommunicator {
    REPORTENGINE_CLASS(TestLabel)
public:
    using TppCommunicator::TppCommunicator;

    bool Visible() const { return visible_; }
    void SetVisible(bool visible) { visible_ = visible; }
    int Width() const { return 120; }
    enum Alignment { taLeftJustified, taRightJustified, taCentered };
    Alignment TextAlignment() const { return alignment_; }
    void SetTextAlignment(Alignment alignment) { alignment_ = alignment; }
    double Price() const { return price_; }
    void SetPrice(double price) { price_ = price; }
    std::function<void(TppCommunicator*)> OnPrint;
    std::function<void(TppCommunicator*)> GetOnPrint() const { return OnPrint; }
    void SetOnPrint(std::function<void(TppCommunicator*)> handler) { OnPrint = std::move(handler); }
    void Loaded() override {
        TppCommunicator::Loaded();
        ++loadedCount;
    }
    void EventNotify(TppCommunicator* communicator, int eventId, TraParamList* params) override {
        TppCommunicator::EventNotify(communicator, eventId, params);
        received.append(QStringLiteral("%1:%2").arg(Name()).arg(eventId));
    }

    int loadedCount = 0;
    QStringList received;

private:
    bool visible_ = true;
    Alignment alignment_ = taLeftJustified;
    double price_ = 0;
};

// A subclass that has no description of its own.
class TestSubLabel : public TestLabel {
    REPORTENGINE_CLASS(TestSubLabel)
public:
    using TestLabel::TestLabel;
};

// An owner that checks, whenever an owned component goes, that it is itself still whole.
class TestContainer : public TppCommunicator {
    REPORTENGINE_CLASS(TestContainer)
public:
    using TppCommunicator::TppCommunicator;
    virtual QString Kind() const { return QStringLiteral("container"); }
    // A published handler, as a form offers its event handlers to the components it streams.
    std::function<void(TppCommunicator*)> ReportBeforePrint() {
        return [this](TppCommunicator* sender) { log.append(QStringLiteral("printing ") + sender->Name()); };
    }
    void Notification(reportengine::EngineComponent* component, reportengine::TOperation operation) override {
        TppCommunicator::Notification(component, operation);
        if (operation == reportengine::opRemove)
            log.append(QStringLiteral("%1 removed, owner is %2%3")
                           .arg(component->Name(), Kind(),
                                ComponentState() & reportengine::csDestroying ? QStringLiteral(" going") : QString()));
    }
    QStringList log;
};
