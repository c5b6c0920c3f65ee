"""Self-test of check_dispatch.py on a tiny tree of event overrides and connected lambdas."""

import os
import tempfile
import unittest

import check_dispatch

GUARDED = '''
void TButton::mouseReleaseEvent(QMouseEvent* event) {
    ui::Dispatch(this, [&] { Click(); });
}
TButton::TButton() {
    connect(this, &QPushButton::clicked, this, [this] { ui::Dispatch(this, [this] { Click(); }); });
    connect(socket, &QIODevice::readyRead, &loop, &QEventLoop::quit);
}
'''

UNGUARDED = '''
// void TButton::paintEvent(QPaintEvent*) { Paint(); }  (a comment is no code)
template <class QtBase>
class ControlOf : public QtBase {
    bool event(QEvent* e) override { return Route(e); }
    void keyPressEvent(QKeyEvent* event) override { event->ignore(); }
};
void TButton::mousePressEvent(QMouseEvent* event) { Press(); }
TButton::TButton() {
    connect(this, &QLineEdit::textChanged, this, [this](const QString& text) { OnText(text); });
    QMetaObject::invokeMethod(this, [this] { SetFocus(); }, Qt::QueuedConnection);
}
'''


class CheckDispatchTest(unittest.TestCase):
    def faults(self, text):
        with tempfile.TemporaryDirectory() as src:
            os.makedirs(os.path.join(src, 'ui'))
            with open(os.path.join(src, 'ui', 'Button.cpp'), 'w', encoding='utf-8') as file:
                file.write(text)
            return check_dispatch.check(src)

    def test_dispatched_overrides_and_lambdas_and_plain_slots_pass(self):
        self.assertEqual(self.faults(GUARDED), [])

    def test_each_undispatched_entry_is_reported_but_those_that_only_call_qt(self):
        check_dispatch.ONLY_QT.add('ui/Button.cpp:ControlOf::keyPressEvent')
        try:
            faults = self.faults(UNGUARDED)
        finally:
            check_dispatch.ONLY_QT.discard('ui/Button.cpp:ControlOf::keyPressEvent')
        self.assertEqual(faults, [
            'ui/Button.cpp:5: ControlOf::event runs our code without ui::Dispatch',
            'ui/Button.cpp:8: TButton::mousePressEvent runs our code without ui::Dispatch',
            'ui/Button.cpp:10: the lambda given to connect &QLineEdit::textChanged runs our code without ui::Dispatch',
            'ui/Button.cpp:11: the lambda given to invokeMethod runs our code without ui::Dispatch',
        ])


if __name__ == '__main__':
    unittest.main()
