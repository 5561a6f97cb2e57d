#pragma once

#include <QGroupBox>

namespace pokaz::toolkit {

// A captioned frame. Its children are placed from its outer top-left corner,
// caption line included, and hide with it.
class Frame final : public QGroupBox {
    Q_OBJECT

public:
    explicit Frame(QWidget* parent);
};

} // namespace pokaz::toolkit
