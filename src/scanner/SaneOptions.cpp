#include "scanner/SaneOptions.h"

#include "scanner/SourceChoice.h"

#include <sane/saneopts.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace quiller::sane {

namespace {

struct Option {
    SANE_Int index = -1;
    const SANE_Option_Descriptor* d = nullptr;
    explicit operator bool() const { return d != nullptr; }
    bool settable() const {
        return d && SANE_OPTION_IS_ACTIVE(d->cap) && SANE_OPTION_IS_SETTABLE(d->cap);
    }
};

Option Find(SANE_Handle h, const char* name) {
    SANE_Int count = 0;
    if (sane_control_option(h, 0, SANE_ACTION_GET_VALUE, &count, nullptr) != SANE_STATUS_GOOD)
        return {};
    for (SANE_Int i = 1; i < count; ++i) {
        const SANE_Option_Descriptor* d = sane_get_option_descriptor(h, i);
        if (d && d->name && std::strcmp(d->name, name) == 0)
            return {i, d};
    }
    return {};
}

QStringList Strings(const Option& o) {
    QStringList list;
    if (o && o.d->type == SANE_TYPE_STRING && o.d->constraint_type == SANE_CONSTRAINT_STRING_LIST)
        for (const SANE_String_Const* s = o.d->constraint.string_list; s && *s; ++s)
            list.append(QString::fromUtf8(*s));
    return list;
}

double WordValue(const SANE_Option_Descriptor* d, SANE_Word w) {
    return d->type == SANE_TYPE_FIXED ? SANE_UNFIX(w) : double(w);
}

bool SetBool(SANE_Handle h, const char* name, bool value) {
    const Option o = Find(h, name);
    if (!o.settable() || o.d->type != SANE_TYPE_BOOL)
        return false;
    SANE_Bool b = value ? SANE_TRUE : SANE_FALSE;
    return sane_control_option(h, o.index, SANE_ACTION_SET_VALUE, &b, nullptr) == SANE_STATUS_GOOD;
}

const char* const kSensorOptions[] = {SANE_NAME_PAGE_LOADED, "adf-loaded", "document-loaded",
                                      "paper-loaded"};

// Double-feed detection as backends offer it: fujitsu's "df-action" (Stop), and the
// ultrasonic, thickness and length checks of fujitsu, canon_dr and others.
bool EnableDoubleFeed(SANE_Handle h) {
    bool on = false;
    const QStringList actions = Strings(Find(h, "df-action"));
    for (const QString& a : actions)
        if (a.compare(QLatin1String("Stop"), Qt::CaseInsensitive) == 0)
            on = SetString(h, "df-action", a.toUtf8()) || on;
    for (const char* name : {"df-thickness", "df-length", "df-ultrasonic", "double-feed"})
        on = SetBool(h, name, true) || on;
    return on;
}

void ApplyFrame(SANE_Handle h, const ScannerControl::Frame& f, double dpi) {
    const Option tl = Find(h, SANE_NAME_SCAN_TL_X);
    if (!tl)
        return;
    double scale = 25.4;
    if (tl.d->unit == SANE_UNIT_PIXEL) {
        if (dpi <= 0)
            return;
        scale = dpi;
    } else if (tl.d->unit != SANE_UNIT_MM) {
        return;
    }
    SetNumber(h, SANE_NAME_SCAN_TL_X, f.left * scale);
    SetNumber(h, SANE_NAME_SCAN_TL_Y, f.top * scale);
    SetNumber(h, SANE_NAME_SCAN_BR_X, f.right * scale, true);
    SetNumber(h, SANE_NAME_SCAN_BR_Y, f.bottom * scale, true);
}

} // namespace

bool SetString(SANE_Handle h, const char* name, const QByteArray& value) {
    const Option o = Find(h, name);
    if (!o.settable() || o.d->type != SANE_TYPE_STRING)
        return false;
    QByteArray buffer(qMax<qsizetype>(o.d->size, value.size() + 1), '\0');
    std::memcpy(buffer.data(), value.constData(), value.size());
    return sane_control_option(h, o.index, SANE_ACTION_SET_VALUE, buffer.data(), nullptr) ==
           SANE_STATUS_GOOD;
}

// Sets a single-valued number option to the supported value nearest to value. A far
// edge (roundUp) is rounded up to the next fixed-point step, so that a frame of whole
// inches gives whole pixel counts on devices that truncate.
bool SetNumber(SANE_Handle h, const char* name, double value, bool roundUp) {
    const Option o = Find(h, name);
    if (!o.settable() || (o.d->type != SANE_TYPE_INT && o.d->type != SANE_TYPE_FIXED) ||
        o.d->size != SANE_Int(sizeof(SANE_Word)))
        return false;
    const SANE_Option_Descriptor* d = o.d;
    if (d->constraint_type == SANE_CONSTRAINT_RANGE && d->constraint.range) {
        const double lo = WordValue(d, d->constraint.range->min);
        const double hi = WordValue(d, d->constraint.range->max);
        const double quant = WordValue(d, d->constraint.range->quant);
        value = std::clamp(value, lo, hi);
        if (quant > 0)
            value = std::min(hi, lo + std::round((value - lo) / quant) * quant);
    } else if (d->constraint_type == SANE_CONSTRAINT_WORD_LIST && d->constraint.word_list &&
               d->constraint.word_list[0] > 0) {
        double best = WordValue(d, d->constraint.word_list[1]);
        for (SANE_Int i = 1; i <= d->constraint.word_list[0]; ++i) {
            const double v = WordValue(d, d->constraint.word_list[i]);
            if (std::abs(v - value) < std::abs(best - value))
                best = v;
        }
        value = best;
    }
    SANE_Word w = 0;
    if (d->type == SANE_TYPE_FIXED) {
        const double scaled = value * (1 << SANE_FIXED_SCALE_SHIFT);
        w = SANE_Word(roundUp ? std::ceil(scaled - 1e-3) : std::floor(scaled + 1e-3));
        if (d->constraint_type == SANE_CONSTRAINT_RANGE && d->constraint.range)
            w = std::clamp(w, d->constraint.range->min, d->constraint.range->max);
    } else {
        w = SANE_Word(std::lround(value));
    }
    return sane_control_option(h, o.index, SANE_ACTION_SET_VALUE, &w, nullptr) == SANE_STATUS_GOOD;
}

std::optional<double> GetNumber(SANE_Handle h, const char* name) {
    const Option o = Find(h, name);
    if (!o || !SANE_OPTION_IS_ACTIVE(o.d->cap) ||
        (o.d->type != SANE_TYPE_INT && o.d->type != SANE_TYPE_FIXED) ||
        o.d->size != SANE_Int(sizeof(SANE_Word)))
        return std::nullopt;
    SANE_Word w = 0;
    if (sane_control_option(h, o.index, SANE_ACTION_GET_VALUE, &w, nullptr) != SANE_STATUS_GOOD)
        return std::nullopt;
    return WordValue(o.d, w);
}

void SetFromText(SANE_Handle h, const QByteArray& name, const QByteArray& value) {
    const Option o = Find(h, name.constData());
    if (!o.settable())
        return;
    switch (o.d->type) {
    case SANE_TYPE_BOOL: {
        const QByteArray v = value.trimmed().toLower();
        SetBool(h, name.constData(), v == "1" || v == "yes" || v == "true");
        break;
    }
    case SANE_TYPE_INT:
    case SANE_TYPE_FIXED: {
        bool ok = false;
        const double v = value.trimmed().toDouble(&ok);
        if (ok)
            SetNumber(h, name.constData(), v);
        break;
    }
    case SANE_TYPE_STRING:
        SetString(h, name.constData(), value);
        break;
    default:
        break;
    }
}

Capabilities ReadCapabilities(SANE_Handle h) {
    Capabilities caps;
    const QStringList sources = Strings(Find(h, SANE_NAME_SCAN_SOURCE));
    caps.feeder = !FeederSource(sources).isEmpty();
    caps.flatbed = !FlatbedSource(sources).isEmpty();
    for (const char* name : kSensorOptions) {
        const Option o = Find(h, name);
        if (o && o.d->type == SANE_TYPE_BOOL && (o.d->cap & SANE_CAP_SOFT_DETECT)) {
            caps.sensorOption = name;
            break;
        }
    }
    return caps;
}

int ReadSensor(SANE_Handle h, const QByteArray& sensorOption) {
    if (sensorOption.isEmpty())
        return 1;
    const Option o = Find(h, sensorOption.constData());
    if (!o || !SANE_OPTION_IS_ACTIVE(o.d->cap) || o.d->type != SANE_TYPE_BOOL)
        return 1;
    SANE_Bool b = SANE_FALSE;
    if (sane_control_option(h, o.index, SANE_ACTION_GET_VALUE, &b, nullptr) != SANE_STATUS_GOOD)
        return 0;
    return b ? 1 : 0;
}

Applied Apply(SANE_Handle h, const ScanRequest& r) {
    Applied applied;
    const QStringList sources = Strings(Find(h, SANE_NAME_SCAN_SOURCE));
    const QString source = r.feeder ? FeederSource(sources) : FlatbedSource(sources);
    if (!source.isEmpty())
        SetString(h, SANE_NAME_SCAN_SOURCE, source.toUtf8());
    if (r.pixelType >= 0) {
        const ScanMode mode = ModeFor(r.pixelType, Strings(Find(h, SANE_NAME_SCAN_MODE)));
        if (!mode.mode.isEmpty())
            SetString(h, SANE_NAME_SCAN_MODE, mode.mode.toUtf8());
        applied.convertToGrey = mode.convertToGrey || r.pixelType == 1;
        const int depth = r.pixelType == 0 ? 1 : 8;
        const Option d = Find(h, SANE_NAME_BIT_DEPTH);
        if (d.settable() && d.d->constraint_type == SANE_CONSTRAINT_WORD_LIST)
            for (SANE_Int i = 1; i <= d.d->constraint.word_list[0]; ++i)
                if (d.d->constraint.word_list[i] == depth) {
                    SetNumber(h, SANE_NAME_BIT_DEPTH, depth);
                    break;
                }
    }
    if (r.resolution > 0)
        SetNumber(h, SANE_NAME_SCAN_RESOLUTION, r.resolution);
    applied.dpi = GetNumber(h, SANE_NAME_SCAN_RESOLUTION).value_or(0);
    if (r.frameSet)
        ApplyFrame(h, r.frame, applied.dpi > 0 ? applied.dpi : r.resolution);
    if (r.feeder)
        applied.doubleFeedOn = EnableDoubleFeed(h);
    for (const auto& [name, value] : r.deviceOptions)
        SetFromText(h, name, value);
    return applied;
}

} // namespace quiller::sane
