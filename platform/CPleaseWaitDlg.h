// The "Please wait..." progress of long computations: shown while the object lives, through the
// UI services, so the Qt program shows a progress dialog and the headless tools record it.
#pragma once

/// A progress bar over the range [lower, upper]. The bar itself holds 16 bits (0..65535): a
/// wider range is scaled to fit, and only positions that move the bar are passed on.
class CPleaseWaitDlg
{
public:
    static constexpr int kBarMaximum = 65535;

    /// Shows the progress with the range 0..upper.
    explicit CPleaseWaitDlg(int upper = 100);
    ~CPleaseWaitDlg();
    CPleaseWaitDlg(const CPleaseWaitDlg&) = delete;
    CPleaseWaitDlg& operator=(const CPleaseWaitDlg&) = delete;

    /// A new range; the bar starts again at its beginning.
    void SetRange(int lower, int upper);
    /// Moves the bar to `pos`, clamped to the range.
    void SetPos(int pos);
    /// The bar position last shown (0..BarMaximum()).
    int GetBarPos() const { return m_barPos; }
    /// The bar's maximum: the range's width, at most kBarMaximum.
    int BarMaximum() const;

private:
    long long m_lower = 0;
    long long m_upper = 100;
    int m_barPos = -1;
};
