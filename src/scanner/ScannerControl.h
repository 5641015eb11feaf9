#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>

namespace quiller {

// A page as the image buffer keeps it: the JPEG bytes its file is written with
// (encoded once, when the page arrives), with the size and depth it was scanned with.
struct EncodedPage {
    QByteArray jpeg;
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
    QString error; // why the page could not be encoded, when jpeg is empty
    // The page as scanned, before encoding: held only while the station reads its labels
    // (KeepScannedPages), so the label is read from the scanner's own pixels.
    QImage scanned;
};

// Encodes a page for the image buffer (JPEG, the writer's default quality). Reentrant:
// a scanner's worker thread encodes its pages there, off the GUI thread.
EncodedPage EncodePage(const QImage& image);

// The outcome of a scanner call: done, or the reason it was not. Every call that can
// fail answers with one, and so does an acquisition once it has ended.
struct ScanResult {
    int code = 0; // 0 done; ScannerControl::kNoDocument for no paper; else the device's
    QString text; // why not, in words for the operator; empty when done

    bool ok() const { return code == 0; }
    static ScanResult Done() { return {}; }
    static ScanResult Failed(int failure, const QString& why) { return {failure, why}; }
};

// The scanner control the station drives: a device manager with a list of sources, the
// written scan and feed settings, an acquisition that reports each page through
// PostScan(0) and its end through PostScan(non-zero) (AcquisitionResult says how it
// ended), and an image buffer numbered from 0.
// Everything here is called on the GUI thread; implementations that block on a device
// do so on their own worker thread and deliver pages back to the GUI thread.
class ScannerControl : public QObject {
    Q_OBJECT
public:
    // The written values. Meaning, as this station uses them:
    // ScanSettingE resolution in dpi; ScanSettingH pixel type (0 black and white,
    // 1 grey, 2 colour); FeedSettingA/B use the document feeder. The others are
    // recorded and have no effect on the devices we drive.
    enum class Setting {
        ScanSettingA,
        ScanSettingB,
        ScanSettingC,
        ScanSettingD,
        ScanSettingE,
        ScanSettingF,
        ScanSettingG,
        ScanSettingH,
        ScanSettingJ,
        ScanSettingK,
        FeedSettingA,
        FeedSettingB,
    };
    static QString SettingName(Setting s);

    // The code of an acquisition that found no paper to scan.
    static constexpr int kNoDocument = 7;

    explicit ScannerControl(QObject* parent = nullptr);
    ~ScannerControl() override;

    // Device manager and sources.
    virtual bool StartDevice() = 0;
    virtual void StopDevice() = 0;
    virtual int SourceCount() const = 0;
    virtual QString SourceName(int index) const = 0;
    virtual int SourceIndex() const = 0;
    virtual void SetSourceIndex(int index) = 0;
    virtual ScanResult OpenSource() = 0;
    // The device behind a source, by a name that stays with it while the list changes
    // (SANE's device name); the source's own name where the control has no other.
    virtual QString SourceDevice(int index) const { return SourceName(index); }
    // The source position of a device; -1 when it is not listed.
    int FindSource(const QString& device) const;
    // The source to use: the device of that name wherever it is listed now (-1 when it
    // is gone); without a name, the stored position when the list has it.
    static int ChooseSource(const ScannerControl& s, const QString& device, int position);
    // Scans with a device chosen by its name, listed or not: a device missing now may be
    // plugged in by the time of the next scan, which then finds it.
    virtual void SelectDevice(const QString& device) { SetSourceIndex(FindSource(device)); }
    virtual QString SelectedDevice() const { return SourceDevice(SourceIndex()); }
    // False while a device listing runs; SourcesChanged follows the end of each listing.
    virtual bool ListingComplete() const { return true; }
    // Lists the devices again; new ones arrive through SourcesChanged.
    virtual void RefreshSources() {}
    virtual ScanResult CloseSource() = 0;

    // Acquisition: returns at once; pages and the end arrive through PostScan. A failure
    // to start is answered here or, for a device that says so later, as the end.
    virtual ScanResult Acquire() = 0;
    virtual bool IsAcquiring() const = 0;
    virtual int DocumentFeedAvailable() = 0;
    // Whether the selected device scans from a glass (a flatbed), known once it is open;
    // a device with a feeder may have one too.
    virtual bool FlatbedAvailable() const { return false; }
    // The paper sensor's latest reading (1 loaded); 1 when the device has no sensor.
    virtual int DocumentLoaded() = 0;
    // Reads the paper sensor now and gives the answer on the GUI thread, later.
    virtual void RequestDocumentLoaded(std::function<void(int)> answer) {
        answer(DocumentLoaded());
    }
    // Frame in inches (left, top, right, bottom).
    virtual ScanResult SetScanFrame(float left, float top, float right, float bottom);

    // Written values.
    void SetValue(Setting s, int value);
    int Value(Setting s) const;
    void SetScanSettingA(bool v) { SetValue(Setting::ScanSettingA, v); }
    void SetScanSettingB(bool v) { SetValue(Setting::ScanSettingB, v); }
    void SetScanSettingC(bool v) { SetValue(Setting::ScanSettingC, v); }
    void SetScanSettingD(int v) { SetValue(Setting::ScanSettingD, v); }
    void SetScanSettingE(int v) { SetValue(Setting::ScanSettingE, v); }
    void SetScanSettingF(int v) { SetValue(Setting::ScanSettingF, v); }
    void SetScanSettingG(int v) { SetValue(Setting::ScanSettingG, v); }
    void SetScanSettingH(int v) { SetValue(Setting::ScanSettingH, v); }
    void SetScanSettingJ(int v) { SetValue(Setting::ScanSettingJ, v); }
    void SetScanSettingK(int v) { SetValue(Setting::ScanSettingK, v); }
    void SetFeedSettingA(int v) { SetValue(Setting::FeedSettingA, v); }
    void SetFeedSettingB(int v) { SetValue(Setting::FeedSettingB, v); }
    struct Frame {
        float left = 0, top = 0, right = 0, bottom = 0;
    };
    Frame ScanFrame() const { return frame_; }

    // The image buffer. Each page is held as the JPEG bytes SaveImage writes (a page
    // takes a tenth of its raw size); GetImage decodes it, so the image shown is the
    // image stored.
    int ImageCount() const { return int(buffer_.size()); }
    QImage GetImage(int index) const; // null image for an index out of range (-1 too)
    int ImageWidth(int index) const;
    int ImageHeight(int index) const;
    int ImageBitsPerPixel(int index) const;
    // Writes image index as a JPEG, atomically (temporary file renamed over the
    // target).
    virtual ScanResult SaveImage(int index, const QString& path);
    // Whether arriving pages keep their scanned image until TakeScannedPage takes it.
    void KeepScannedPages(bool keep) { keepScanned_ = keep; }
    // The page as scanned (and forgets it), or a null image when it was not kept.
    QImage TakeScannedPage(int index);
    // The JPEG bytes of a page (empty out of range); shared, not copied.
    QByteArray PageJpeg(int index) const;
    // Deletes a page; later images move down one place.
    virtual ScanResult DeleteImage(int index);
    // Turns image index by angle degrees (multiples of 90).
    virtual ScanResult RotateImage(int index, float angle, int flags);

    // How the latest acquisition ended; Done while one runs or before the first.
    ScanResult AcquisitionResult() const { return acquisitionResult_; }

    // How the station makes its scanner controls; tests install the simulated twin.
    using Factory = std::function<std::unique_ptr<ScannerControl>()>;
    static void SetFactory(Factory factory);
    static std::unique_ptr<ScannerControl> Create();

signals:
    // 0: an image was added to the buffer; any other value: the acquisition ended.
    void PostScan(int flag);
    // A device listing has ended (sources may have been added after StartDevice).
    void SourcesChanged();

protected:
    // Called for every written value, in order; implementations apply what they can.
    virtual void OnValueWritten(Setting s, int value);
    // Appends a page, encoding it on the calling thread.
    void AppendImage(const QImage& image);
    // Appends a page encoded already (on a worker thread, say).
    void AppendPage(EncodedPage page);
    // Records how an acquisition ended, before its PostScan(1).
    void SetAcquisitionResult(ScanResult result) { acquisitionResult_ = std::move(result); }

private:
    struct BufferEntry {
        EncodedPage page;
        quint64 id = 0; // tells a page from the one that took its place
    };
    const BufferEntry* Entry(int index) const;

    QList<BufferEntry> buffer_;
    quint64 nextId_ = 1;
    bool keepScanned_ = false;
    // The page decoded last: the preview and the image text ask for it in a row.
    mutable QImage decoded_;
    mutable quint64 decodedId_ = 0;
    int values_[12] = {};
    Frame frame_;
    ScanResult acquisitionResult_;
};

} // namespace quiller
