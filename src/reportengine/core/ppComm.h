// TppCommunicator: user names, two-way notify links, numbered engine events and the design state.
#pragma once

#include "reportengine/core/EngineComponent.h"
#include "reportengine/core/ppRTTI.h"

#include <bitset>
#include <functional>
#include <memory>
#include <vector>

namespace reportengine {

// What a Notify tells the linked communicators.
enum NotifyOperation : int {
    kNotifyDestroying = 0,
    kNotifyFieldsRecreated = 1,
    kNotifyDataChanged = 2,
    kNotifyUserNameChanged = 3,
    kNotifyReportClearing = 4,
    kNotifyLanguageChanged = 5
};

// Engine event ids of the object model; ids above 255 are never delivered.
enum EngineEventId : int { kEventCacheWriteFailed = 48, kEventCacheRetryFailed = 49, kEventNameChanged = 111 };

// Design-state flags the engine tests.
enum DesignStateFlag : quint16 {
    kDesignEdited = 1,
    kDesignPrinting = 4,
    kDesignLiveData = 8,
    kDesignPasting = 32,
    kDesignFromTemplate = 128,
    kDesignSelecting = 512
};

}  // namespace reportengine

class TppCommunicator : public reportengine::EngineComponent {
    REPORTENGINE_CLASS(TppCommunicator)
public:
    using TppNotifyEvent = std::function<void(TppCommunicator* Sender, TppCommunicator* aCommunicator, int aOperation)>;
    using TppEventNotifyEvent = std::function<void(TppCommunicator* Sender, TppCommunicator* aCommunicator,
                                                   int aEventID, TraParamList* aParams)>;

    explicit TppCommunicator(reportengine::EngineComponent* owner);

    virtual QString GetUserName() const { return userName_; }
    virtual void SetDesigner(reportengine::EngineObject* designer) { designer_ = designer; }
    virtual void DesignStateChanged(quint16 flags) {}
    virtual void PropertyChange() {}
    virtual void SetUserName(const QString& value);
    virtual void ChangeOwner(reportengine::EngineComponent* newOwner);
    virtual void CreateUniqueName(reportengine::EngineComponent* component, QString& name);
    virtual void Notify(TppCommunicator* communicator, int operation);
    virtual void EventNotify(TppCommunicator* communicator, int eventId, TraParamList* params);
    virtual void RemoveDesignState(quint16 flags);
    virtual void AddDesignState(quint16 flags);
    virtual bool IsValidUserName(const QString& name);
    virtual TppCommunicator* FindUserName(const QString& name);
    virtual void CreateUserName(reportengine::EngineComponent* component, QString& name);
    // Orders this communicator among the listeners of a sender; empty here.
    virtual void GetNotifyOrderKey(QString& key) const { key.clear(); }

    // Links are two-way: each side is told when the other goes.
    int LinkNotify(TppCommunicator* other);
    void UnlinkNotify(TppCommunicator* other);
    // Notify (sender, operation) on every linked communicator, last first.
    void SendNotify(TppCommunicator* sender, int operation);
    int GetNotifyCount() const { return notifyList_ ? static_cast<int>(notifyList_->size()) : 0; }
    TppCommunicator* GetNotifyItem(int index) const;

    void AddEventListener(TppCommunicator* listener);
    void RemoveEventListener(TppCommunicator* listener);
    // EventNotify on every listener whose event mask holds the id, in listener order; a listener that removes
    // listeners during its call does not make the next one miss the event.
    void BroadcastEvent(TppCommunicator* sender, int eventId, TraParamList* params);
    bool HasEventListener(int eventId) const;
    // The ids this communicator wants from every communicator it listens to.
    std::bitset<256>& EventMask() { return eventMask_; }
    const std::bitset<256>& EventMask() const { return eventMask_; }

    TppCommunicator* GetParentCommunicator() const;
    reportengine::EngineObject* FindDesigner() const;
    void DefaultUserName(QString& name);
    TppCommunicator* FindUserNameIn(const QString& name, reportengine::EngineComponent* container) const;
    quint16 DesignState() const { return designState_; }

    void SetName(const QString& value) override;
    void Loaded() override;

    // Set by template loading when a name clash forced a new Name while the component was read.
    bool NameChangedOnLoad = false;
    TppNotifyEvent OnNotify;
    TppEventNotifyEvent OnEventNotify;

protected:
    ~TppCommunicator() override;
    void Dismantle() override;

private:
    using CommunicatorList = std::vector<TppCommunicator*>;

    reportengine::EngineObject* designer_ = nullptr;
    quint16 designState_ = 0;
    std::unique_ptr<CommunicatorList> notifyList_;
    std::unique_ptr<CommunicatorList> eventNotifyList_;
    std::bitset<256> eventMask_;
    QString userName_;
};

class TraTppCommunicatorRTTI : public TraDescription<TraTppCommunicatorRTTI, TraTComponentRTTI> {
public:
    void GetPropList(const reportengine::EngineClass& cls, QStringList& list) const override;
    const reportengine::EngineClass& GetRefClass() const override;
    bool GetPropRec(const reportengine::EngineClass& cls, const QString& name, TraPropRec& rec) const override;
    bool GetPropValue(reportengine::EngineObject* object, const QString& name, QVariant& value) const override;
    bool SetPropValue(reportengine::EngineObject* object, const QString& name, const QVariant& value) const override;
};
