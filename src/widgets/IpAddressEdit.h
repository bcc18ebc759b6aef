#pragma once

#include <QWidget>
#include <array>
#include <cstdint>

class QLabel;

namespace zerandi {

class NumberEdit;

// A four-part address field (IP address, subnet mask): each part takes only a number
// from 0 to 255; an empty part counts as 0. Typing "." moves on to the next part.
class IpAddressEdit : public QWidget {
    Q_OBJECT

public:
    static constexpr int kPartCount = 4;
    using Address = std::array<uint8_t, kPartCount>;

    explicit IpAddressEdit(QWidget* parent = nullptr);

    Address Value() const;
    void SetValue(const Address& address);

    NumberEdit& Part(int index) const { return *parts_.at(static_cast<size_t>(index)); }

    // Gives the field and each of its parts a name for assistive technology: the label's
    // text, and "IP Address part 1 of 4".
    void LabelWith(QLabel* label);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::array<NumberEdit*, kPartCount> parts_{};
};

}  // namespace zerandi
