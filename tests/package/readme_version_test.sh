#!/bin/sh
# The README names the version the build carries, wherever it names one.
#   readme_version_test.sh README.md VERSION
readme=$1
version=$2
named=$(grep -oE 'teijinki_[0-9][0-9.]*_|version [0-9][0-9.]*[0-9]' "$readme" | grep -oE '[0-9][0-9.]*[0-9]' | sort -u)
if [ "$named" != "$version" ]; then
  echo "README.md names version(s) '$(echo $named)', the build is $version"
  exit 1
fi
