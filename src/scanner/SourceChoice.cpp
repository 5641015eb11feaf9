#include "scanner/SourceChoice.h"

namespace quiller {

namespace {

bool Has(const QString& s, const char* word) {
    return s.contains(QLatin1String(word), Qt::CaseInsensitive);
}

template <typename Pred> QString First(const QStringList& list, Pred pred) {
    for (const QString& s : list)
        if (pred(s))
            return s;
    return {};
}

bool Dithered(const QString& m) {
    return Has(m, "diffusion") || Has(m, "halftone") || Has(m, "dither");
}

} // namespace

QString FeederSource(const QStringList& sources) {
    return First(sources, [](const QString& s) {
        return (Has(s, "adf") || Has(s, "feeder")) && !Has(s, "duplex") && !Has(s, "back");
    });
}

QString FlatbedSource(const QStringList& sources) {
    return First(sources, [](const QString& s) {
        return Has(s, "flat") || Has(s, "platen") ||
               s.compare(QLatin1String("Normal"), Qt::CaseInsensitive) == 0;
    });
}

ScanMode ModeFor(int pixelType, const QStringList& modes) {
    const auto grey = [](const QString& m) {
        return (Has(m, "gray") || Has(m, "grey")) && !Dithered(m);
    };
    const auto colour = [](const QString& m) {
        return Has(m, "color") || Has(m, "colour");
    };
    switch (pixelType) {
    case 0: {
        const QString m = First(modes, [](const QString& name) {
            return Has(name, "lineart") || Has(name, "binary") || Has(name, "black");
        });
        return {m.isEmpty() ? First(modes, grey) : m, false};
    }
    case 1: {
        const QString m = First(modes, grey);
        if (!m.isEmpty() || modes.isEmpty())
            return {m, false};
        const QString c = First(modes, colour);
        return {c, !c.isEmpty()};
    }
    case 2:
        return {First(modes, colour), false};
    default:
        return {};
    }
}

} // namespace quiller
