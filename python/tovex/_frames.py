"""The sensitivity table: a DataFrame whose ``plot()`` draws the swings.
Imported when a table is made, so that importing the package does not
import pandas."""
import pandas as pd


class _SwingPlot:
    """``table.plot()`` draws the swings; ``table.plot(...)`` with
    arguments, and ``table.plot.bar(...)`` and the like, are pandas' own."""

    def __init__(self, frame: pd.DataFrame):
        self._frame = frame

    def __call__(self, *args, **kwargs):
        if args or kwargs:
            return pd.DataFrame(self._frame).plot(*args, **kwargs)
        try:
            import matplotlib.pyplot as plt  # noqa: F401
        except ImportError as error:
            raise ImportError("plot needs matplotlib (Debian: python3-matplotlib)") from error
        shown = pd.DataFrame(self._frame).iloc[::-1]
        axes = shown.plot.barh(x="place", y="swing", legend=False, title="Swing of the total per period")
        axes.figure.tight_layout()
        return axes

    def __getattr__(self, name):
        return getattr(pd.DataFrame(self._frame).plot, name)


class SensitivityFrame(pd.DataFrame):
    """The sensitivity table, one row per priced input, the largest swing
    first."""

    @property
    def _constructor(self):
        return SensitivityFrame

    @property
    def plot(self):
        return _SwingPlot(self)
