// TComponent: a non-visual part of a form or module, freed with its owner.
#pragma once

#include <QObject>
#include <QString>

class TComponent : public QObject {
public:
    explicit TComponent(QObject* owner) : QObject(owner) {}

    QString Name() const { return objectName(); }
    void SetName(const QString& name) { setObjectName(name); }
    QObject* Owner() const { return parent(); }
    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }

private:
    int tag_ = 0;
};
