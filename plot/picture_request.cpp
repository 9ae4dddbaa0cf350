// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/picture_request.h"

#include <cstdint>
#include <cstring>
#include <type_traits>

#include "study/study_errors.h"

namespace varnel {
namespace {

// Changes whenever the layout below does, so that a writer of another build refuses the bytes.
constexpr char kMagic[8] = {'V', 'C', 'P', 'I', 'C', '0', '0', '2'};

class Writer {
  public:
    template <typename T>
    void Put(const T& value) {
        static_assert(std::is_trivially_copyable_v<T>, "only plain values travel as bytes");
        bytes_.append(reinterpret_cast<const char*>(&value), sizeof value);
    }
    void PutFlag(bool flag) { Put<std::uint8_t>(flag ? 1 : 0); }
    void PutText(const std::string& text) {
        Put<std::uint64_t>(text.size());
        bytes_ += text;
    }
    void PutRange(const GridRange& range) {
        Put(range.start);
        Put(range.stop);
        Put(range.count);
        PutText(range.startText);
        PutText(range.stopText);
    }
    std::string& bytes() { return bytes_; }

  private:
    std::string bytes_;
};

class Reader {
  public:
    explicit Reader(const std::string& bytes) : bytes_(bytes) {}
    template <typename T>
    T Get() {
        static_assert(std::is_trivially_copyable_v<T>, "only plain values travel as bytes");
        T value{};
        Take(&value, sizeof value);
        return value;
    }
    bool GetFlag() { return Get<std::uint8_t>() != 0; }
    std::string GetText() {
        const auto size = Get<std::uint64_t>();
        if (size > bytes_.size() - at_)
            Fail();
        std::string text = bytes_.substr(at_, size);
        at_ += size;
        return text;
    }
    GridRange GetRange() {
        GridRange range;
        range.start = Get<long double>();
        range.stop = Get<long double>();
        range.count = Get<int>();
        range.startText = GetText();
        range.stopText = GetText();
        return range;
    }
    bool AtEnd() const { return at_ == bytes_.size(); }

  private:
    void Take(void* out, std::size_t size) {
        if (size > bytes_.size() - at_)
            Fail();
        std::memcpy(out, bytes_.data() + at_, size);
        at_ += size;
    }
    [[noreturn]] static void Fail() {
        throw IoError("the picture writer was given a damaged request");
    }

    const std::string& bytes_;
    std::size_t at_ = 0;
};

}  // namespace

std::string PictureRequestBytes(const PictureRequest& r) {
    Writer w;
    w.bytes().append(kMagic, sizeof kMagic);
    w.PutFlag(r.map);
    w.PutText(r.path);
    w.Put(r.rec);
    w.PutRange(r.x);
    w.PutRange(r.z);
    w.Put(r.centre);
    w.PutFlag(r.modulusColour);
    w.PutFlag(r.fieldLines);
    w.Put(r.sphere);
    w.PutFlag(r.alongZ);
    w.Put(r.at);
    w.Put<std::uint64_t>(r.points.size());
    for (const FieldPoint& p : r.points) {
        w.PutText(p.xText);
        w.PutText(p.zText);
        w.Put(p.x);
        w.Put(p.z);
        w.Put(p.field);
        w.Put(p.deviation);
        w.PutText(p.status);
    }
    return std::move(w.bytes());
}

PictureRequest ReadPictureRequest(const std::string& bytes) {
    if (bytes.size() < sizeof kMagic || std::memcmp(bytes.data(), kMagic, sizeof kMagic) != 0)
        throw IoError("the picture writer was given a request of another kind or version");
    const std::string body = bytes.substr(sizeof kMagic);
    Reader in(body);
    PictureRequest r;
    r.map = in.GetFlag();
    r.path = in.GetText();
    r.rec = in.Get<CalcRecord>();
    r.x = in.GetRange();
    r.z = in.GetRange();
    r.centre = in.Get<long double>();
    r.modulusColour = in.GetFlag();
    r.fieldLines = in.GetFlag();
    r.sphere = in.Get<long double>();
    r.alongZ = in.GetFlag();
    r.at = in.Get<long double>();
    const auto count = in.Get<std::uint64_t>();
    for (std::uint64_t i = 0; i < count; ++i) {
        FieldPoint p;
        p.xText = in.GetText();
        p.zText = in.GetText();
        p.x = in.Get<long double>();
        p.z = in.Get<long double>();
        p.field = in.Get<FieldValues>();
        p.deviation = in.Get<long double>();
        p.status = in.GetText();
        r.points.push_back(std::move(p));
    }
    if (!in.AtEnd())
        throw IoError("the picture writer was given a damaged request");
    return r;
}

}  // namespace varnel
