// TppCommunicator and its description.
#include "reportengine/core/ppComm.h"

#include "reportengine/core/ppUtils.h"

#include <QStringList>
#include <algorithm>

using reportengine::EngineClass;
using reportengine::EngineComponent;
using reportengine::EngineObject;

namespace {

bool IsCommunicatorListed(const std::unique_ptr<std::vector<TppCommunicator*>>& list, TppCommunicator* item) {
    return list && std::find(list->begin(), list->end(), item) != list->end();
}

const TraUnitRegistration<TraTppCommunicatorRTTI> communicatorUnitRegistration;

}  // namespace

const EngineClass& TppCommunicator::StaticClass() {
    static const EngineClass cls(QStringLiteral("TppCommunicator"), &EngineComponent::StaticClass());
    return cls;
}

TppCommunicator::TppCommunicator(EngineComponent* owner) : EngineComponent(owner) {}

TppCommunicator::~TppCommunicator() = default;

void TppCommunicator::Dismantle() {
    SendNotify(this, reportengine::kNotifyDestroying);
    notifyList_.reset();
    eventNotifyList_.reset();
    EngineComponent::Dismantle();
}

TppCommunicator* TppCommunicator::GetNotifyItem(int index) const {
    if (!notifyList_ || index < 0 || index >= GetNotifyCount()) return nullptr;
    return (*notifyList_)[static_cast<size_t>(index)];
}

int TppCommunicator::LinkNotify(TppCommunicator* other) {
    if (!other) return -1;
    if (!notifyList_) notifyList_ = std::make_unique<CommunicatorList>();
    auto found = std::find(notifyList_->begin(), notifyList_->end(), other);
    if (found != notifyList_->end()) return static_cast<int>(found - notifyList_->begin());
    notifyList_->push_back(other);
    other->LinkNotify(this);
    auto index = std::find(notifyList_->begin(), notifyList_->end(), other);
    return static_cast<int>(index - notifyList_->begin());
}

void TppCommunicator::UnlinkNotify(TppCommunicator* other) {
    if (IsCommunicatorListed(notifyList_, other)) {
        std::erase(*notifyList_, other);
        other->UnlinkNotify(this);
    }
    if (notifyList_ && notifyList_->empty()) notifyList_.reset();
}

void TppCommunicator::SendNotify(TppCommunicator* sender, int operation) {
    if (!notifyList_) return;
    // A Notify may unlink others; tell only those still linked when their turn comes.
    const CommunicatorList linked = *notifyList_;
    for (auto each = linked.rbegin(); each != linked.rend(); ++each)
        if (IsCommunicatorListed(notifyList_, *each)) (*each)->Notify(sender, operation);
}

void TppCommunicator::Notify(TppCommunicator* communicator, int operation) {
    if (OnNotify) OnNotify(this, communicator, operation);
    if (operation != reportengine::kNotifyDestroying) return;
    if (notifyList_) {
        std::erase(*notifyList_, communicator);
        if (notifyList_->empty()) notifyList_.reset();
    }
    if (eventNotifyList_) {
        std::erase(*eventNotifyList_, communicator);
        if (eventNotifyList_->empty()) eventNotifyList_.reset();
    }
}

void TppCommunicator::EventNotify(TppCommunicator* communicator, int eventId, TraParamList* params) {
    if (OnEventNotify) OnEventNotify(this, communicator, eventId, params);
}

void TppCommunicator::AddEventListener(TppCommunicator* listener) {
    if (!listener) return;
    if (!eventNotifyList_) eventNotifyList_ = std::make_unique<CommunicatorList>();
    if (IsCommunicatorListed(eventNotifyList_, listener)) return;
    QString key;
    listener->GetNotifyOrderKey(key);
    if (key.isEmpty()) {
        eventNotifyList_->push_back(listener);
    } else {
        std::vector<std::pair<QString, TppCommunicator*>> keyed;
        for (TppCommunicator* present : *eventNotifyList_) {
            QString presentKey;
            present->GetNotifyOrderKey(presentKey);
            keyed.emplace_back(presentKey, present);
        }
        keyed.emplace_back(key, listener);
        std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
            return a.first.compare(b.first, Qt::CaseInsensitive) < 0;
        });
        eventNotifyList_->clear();
        for (const auto& entry : keyed) eventNotifyList_->push_back(entry.second);
    }
    LinkNotify(listener);
}

void TppCommunicator::RemoveEventListener(TppCommunicator* listener) {
    if (IsCommunicatorListed(eventNotifyList_, listener)) {
        std::erase(*eventNotifyList_, listener);
        UnlinkNotify(listener);
    }
    if (eventNotifyList_ && eventNotifyList_->empty()) eventNotifyList_.reset();
}

void TppCommunicator::BroadcastEvent(TppCommunicator* sender, int eventId, TraParamList* params) {
    if (eventId < 0 || eventId > 255) return;
    size_t i = 0;
    while (eventNotifyList_ && i < eventNotifyList_->size()) {
        const CommunicatorList* list = eventNotifyList_.get();
        const size_t count = list->size();
        TppCommunicator* listener = (*list)[i];
        if (listener->eventMask_.test(static_cast<size_t>(eventId))) listener->EventNotify(sender, eventId, params);
        // A listener that left (or took another out) leaves its index to the next one.
        if (eventNotifyList_.get() == list && list->size() == count) ++i;
    }
}

bool TppCommunicator::HasEventListener(int eventId) const {
    if (eventId < 0 || eventId > 255 || !notifyList_) return false;
    return std::any_of(notifyList_->begin(), notifyList_->end(), [eventId](TppCommunicator* linked) {
        return linked->eventMask_.test(static_cast<size_t>(eventId));
    });
}

TppCommunicator* TppCommunicator::GetParentCommunicator() const {
    return HasParent() ? dynamic_cast<TppCommunicator*>(GetParentComponent()) : nullptr;
}

EngineObject* TppCommunicator::FindDesigner() const {
    if (designer_) return designer_;
    TppCommunicator* parent = GetParentCommunicator();
    return parent ? parent->FindDesigner() : nullptr;
}

void TppCommunicator::AddDesignState(quint16 flags) {
    if ((designState_ & flags) == flags) return;
    designState_ |= flags;
    DesignStateChanged(flags);
}

void TppCommunicator::RemoveDesignState(quint16 flags) {
    if ((designState_ & flags) == 0) return;
    designState_ &= static_cast<quint16>(~flags);
    DesignStateChanged(flags);
}

TppCommunicator* TppCommunicator::FindUserNameIn(const QString& name, EngineComponent* container) const {
    if (!container) return nullptr;
    for (int i = 0; i < container->ComponentCount(); ++i) {
        auto* communicator = dynamic_cast<TppCommunicator*>(container->Components(i));
        if (communicator && communicator->GetUserName().compare(name, Qt::CaseInsensitive) == 0) return communicator;
    }
    return nullptr;
}

TppCommunicator* TppCommunicator::FindUserName(const QString& name) {
    if (TppCommunicator* parent = GetParentCommunicator()) return parent->FindUserName(name);
    return FindUserNameIn(name, Owner());
}

bool TppCommunicator::IsValidUserName(const QString& name) {
    if (!reportengine::IsValidIdent(name)) return false;
    TppCommunicator* bearer = FindUserName(name);
    return !bearer || bearer == this;
}

void TppCommunicator::CreateUserName(EngineComponent* component, QString& name) {
    if (TppCommunicator* parent = GetParentCommunicator()) {
        parent->CreateUserName(component, name);
        return;
    }
    name = GetUniqueComponentName(component->Owner(), ClassNameWithoutPrefix(component), component);
}

void TppCommunicator::CreateUniqueName(EngineComponent* component, QString& name) {
    EngineComponent* container = Owner() ? Owner() : this;
    name = GetUniqueComponentName(container, ClassNameWithoutT(component), component);
}

void TppCommunicator::DefaultUserName(QString& name) {
    const QString prefix = ClassName().mid(1, 2);
    name = Name().left(2) == prefix && !prefix.isEmpty() ? Name().mid(2) : Name();
    if (!IsValidUserName(name)) CreateUserName(this, name);
}

void TppCommunicator::SetUserName(const QString& value) {
    if (!reportengine::IsValidIdent(value)) return;
    if (IsValidUserName(value)) {
        userName_ = value;
    } else {
        // Another component bears it: a name ending in 1 to 9 is left alone, any other gets a number.
        const QChar last = value.back();
        if (last.isDigit() && last.digitValue() > 0) return;
        for (int k = 1;; ++k) {
            const QString candidate = value + QString::number(k);
            TppCommunicator* bearer = FindUserName(candidate);
            if (!bearer || bearer == this) {
                userName_ = candidate;
                break;
            }
        }
    }
    SendNotify(this, reportengine::kNotifyUserNameChanged);
}

void TppCommunicator::SetName(const QString& value) {
    const QString oldName = Name();
    const bool follows = userName_.isEmpty() || userName_ == oldName || userName_ == oldName.mid(2);
    EngineComponent::SetName(value);
    if ((ComponentState() & (reportengine::csReading | reportengine::csLoading)) &&
        !(designState_ & reportengine::kDesignPasting))
        return;
    if (follows) {
        QString name;
        DefaultUserName(name);
        SetUserName(name);
    }
    BroadcastEvent(this, reportengine::kEventNameChanged, nullptr);
}

void TppCommunicator::Loaded() {
    EngineComponent::Loaded();
    if (ClassType().FindProperty(QStringLiteral("UserName")) && userName_.isEmpty()) {
        QString name;
        DefaultUserName(name);
        SetUserName(name);
    }
}

void TppCommunicator::ChangeOwner(EngineComponent* newOwner) {
    if (newOwner == Owner()) return;
    if (!newOwner) {
        Owner()->RemoveComponent(this);
        return;
    }
    const bool clash = FindUserNameIn(userName_, newOwner) != nullptr;
    // Refuses a Name the new owner holds before the component leaves its old owner.
    newOwner->InsertComponent(this);
    // Numbered among the new owner's components, which the new name must not clash with.
    if (clash) {
        QString name;
        CreateUserName(this, name);
        userName_ = name;
    }
}

// ---- TraTppCommunicatorRTTI

void TraTppCommunicatorRTTI::GetPropList(const EngineClass& cls, QStringList& list) const {
    TraTComponentRTTI::GetPropList(cls, list);
    AddPropToList(list, QStringLiteral("UserName"));
}

const EngineClass& TraTppCommunicatorRTTI::GetRefClass() const { return TppCommunicator::StaticClass(); }

bool TraTppCommunicatorRTTI::GetPropRec(const EngineClass& cls, const QString& name, TraPropRec& rec) const {
    if (name.compare(QLatin1String("UserName"), Qt::CaseInsensitive) != 0)
        return TraTComponentRTTI::GetPropRec(cls, name, rec);
    InitPropRec(name, reportengine::DataCode::String, false, rec);
    return true;
}

bool TraTppCommunicatorRTTI::GetPropValue(EngineObject* object, const QString& name, QVariant& value) const {
    auto* communicator = dynamic_cast<TppCommunicator*>(object);
    if (!communicator || name.compare(QLatin1String("UserName"), Qt::CaseInsensitive) != 0)
        return TraTComponentRTTI::GetPropValue(object, name, value);
    value = communicator->GetUserName();
    return true;
}

bool TraTppCommunicatorRTTI::SetPropValue(EngineObject* object, const QString& name, const QVariant& value) const {
    auto* communicator = dynamic_cast<TppCommunicator*>(object);
    if (!communicator || name.compare(QLatin1String("UserName"), Qt::CaseInsensitive) != 0)
        return TraTComponentRTTI::SetPropValue(object, name, value);
    communicator->SetUserName(value.toString());
    return true;
}
