"""The tovex Python package: its core, tovex._tovex, built with CMake from
this repository, with the module (libtovex.so.0) and the host's shared
libraries beside it, so that a script runs what the command runs.

    /usr/bin/python3 -m venv --system-site-packages .venv
    .venv/bin/pip install --no-build-isolation .

TOVEX_PYTHON_BUILD_DIR names the CMake build folder (default
build/python), kept between installs so that a second one builds only what
changed.
"""
import glob
import os
import shutil
import subprocess
import sys

from setuptools import Extension, setup
from setuptools.command.build_ext import build_ext

ROOT = os.path.dirname(os.path.abspath(__file__))


class CMakeExtension(Extension):
    def __init__(self, name):
        super().__init__(name, sources=[])


class BuildWithCMake(build_ext):
    def build_extension(self, ext):
        build = os.environ.get("TOVEX_PYTHON_BUILD_DIR") or os.path.join(ROOT, "build", "python")
        target = os.path.abspath(self.get_ext_fullpath(ext.name))
        package = os.path.dirname(target)
        subprocess.check_call(["cmake", "-S", ROOT, "-B", build, "-DCMAKE_BUILD_TYPE=Release",
                               "-DTOVEX_BUILD_TESTS=OFF", "-DTOVEX_BUILD_PYTHON=ON", "-DTOVEX_USE_JEMALLOC=OFF",
                               # The libraries find each other where they are installed, beside the core.
                               "-DCMAKE_BUILD_WITH_INSTALL_RPATH=ON",
                               f"-DPython_EXECUTABLE={sys.executable}", f"-DPYTHON_EXECUTABLE={sys.executable}"])
        subprocess.check_call(["cmake", "--build", build, "--target", "_tovex", "tovex",
                               "-j", str(os.cpu_count() or 1)])
        lib = os.path.join(build, "lib")
        os.makedirs(package, exist_ok=True)
        core = glob.glob(os.path.join(lib, "_tovex*.so"))
        if len(core) != 1:
            raise RuntimeError(f"the build left {len(core)} cores of the package in {lib}")
        shutil.copyfile(core[0], target)
        # The module by the name the package loads it by, its link followed.
        shutil.copyfile(os.path.join(lib, "libtovex.so.0"), os.path.join(package, "libtovex.so.0"))
        for shared in glob.glob(os.path.join(lib, "libqx*.so")):
            shutil.copyfile(shared, os.path.join(package, os.path.basename(shared)))


setup(
    name="tovex",
    version="0.1.0",
    description="Utility costs of a process plant, from Python: runs, sweeps and stores",
    packages=["tovex"],
    package_dir={"": "python"},
    ext_modules=[CMakeExtension("tovex._tovex")],
    cmdclass={"build_ext": BuildWithCMake},
    python_requires=">=3.9",
    install_requires=["pandas"],
    zip_safe=False,
)
