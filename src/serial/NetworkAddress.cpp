#include "serial/NetworkAddress.h"

#include <QRegularExpression>
#include <array>
#include <utility>

namespace zerandi {

namespace {

constexpr std::array<std::pair<const char*, NetworkAddress::Mode>, 2> kSchemes = {{
    {"tcp", NetworkAddress::Mode::Raw},
    {"rfc2217", NetworkAddress::Mode::Rfc2217},
}};

const char* SchemeOf(NetworkAddress::Mode mode) {
    for (const auto& [scheme, schemeMode] : kSchemes) {
        if (schemeMode == mode) {
            return scheme;
        }
    }
    return kSchemes[0].first;
}

}  // namespace

std::optional<NetworkAddress> NetworkAddress::Parse(const QString& text) {
    // A host name or IPv4 address; an IPv6 address goes in brackets, as in a URL.
    static const QRegularExpression kForm(
        QStringLiteral("^([a-z0-9]+)://([A-Za-z0-9._-]+|\\[[0-9A-Fa-f:.]+\\]):([0-9]{1,5})$"));
    const auto match = kForm.match(text);
    if (!match.hasMatch()) {
        return std::nullopt;
    }
    const int port = match.captured(3).toInt();
    for (const auto& [scheme, mode] : kSchemes) {
        if (match.captured(1) == QLatin1String(scheme) && port >= 1 && port <= 0xFFFF) {
            NetworkAddress address;
            address.mode_ = mode;
            address.host_ = match.captured(2).remove(QLatin1Char('[')).remove(QLatin1Char(']'));
            address.port_ = static_cast<uint16_t>(port);
            return address;
        }
    }
    return std::nullopt;
}

QString NetworkAddress::ToString() const {
    const QString host =
        host_.contains(QLatin1Char(':')) ? QStringLiteral("[%1]").arg(host_) : host_;
    return QStringLiteral("%1://%2:%3").arg(QLatin1String(SchemeOf(mode_)), host).arg(port_);
}

}  // namespace zerandi
